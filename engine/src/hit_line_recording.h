// A hit-line sink that keeps what it is given, so that a file matched on one thread can hand
// its lines to the search's own sink later, on another, as if they were given then.
#ifndef QUELBRIX_HIT_LINE_RECORDING_H
#define QUELBRIX_HIT_LINE_RECORDING_H

#include <cstddef>
#include <string>
#include <vector>

#include "engine/hit_lines.h"

namespace quelbrix {

class HitLineRecording : public HitLineSink {
public:
    // The path is not kept: whoever replays names the file.
    void BeginFile(const char* path, const FileEncoding& encoding) override;
    // Copies the line; a line past the limit, or one that cannot be allocated, leaves the
    // recording incomplete, and no more lines are asked for.
    bool Line(const HitLine& line) override;
    void EndFile(std::size_t searchedBytes, int hits) override;

    // The bytes of lines kept, at most (the default: no limit), as LineBytes() counts them.
    void Limit(std::size_t bytes) { limit_ = bytes; }
    // What keeping `line` costs: its text and line end, its hits and its own record.
    static std::size_t LineBytes(const HitLine& line);
    // A line was not kept: the recording is not the file's whole answer.
    bool Incomplete() const { return incomplete_; }

    // Gives `sink` BeginFile, the lines until its Line answers false, and EndFile with the hits
    // of the lines it took, as the matcher gives them; returns those hits. Nothing when no
    // file was recorded.
    int Replay(const char* path, HitLineSink& sink) const;

    // Forgets the file; memory above what is worth keeping for the next one is given back.
    void Clear();

private:
    struct KeptLine {
        std::size_t number;
        std::size_t offset;
        std::size_t textAt;  // in bytes_: the text and its line end
        std::size_t length;
        std::size_t endLength;
        std::size_t hitsAt;  // in hits_
        std::size_t hitCount;
        bool context;
    };

    std::size_t KeptBytes() const;

    bool begun_ = false;
    bool incomplete_ = false;
    std::size_t limit_ = static_cast<std::size_t>(-1);
    FileEncoding encoding_;
    std::string bytes_;
    std::vector<KeptLine> lines_;
    std::vector<HitRange> hits_;
    std::size_t searchedBytes_ = 0;
};

}  // namespace quelbrix

#endif
