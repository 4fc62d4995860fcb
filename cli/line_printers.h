// The sinks that print hit lines while the search runs, each file's lines written when the
// file is done, so that the engine's messages on stderr fall between files.
#ifndef QUELBRIX_CLI_LINE_PRINTERS_H
#define QUELBRIX_CLI_LINE_PRINTERS_H

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <string>

#include "engine/hit_lines.h"
#include "hit_line_output.h"
#include "json_messages.h"
#include "printed_line.h"

namespace quelbrix {

// How the engine's paths become the printed ones.
struct PathForm {
    std::size_t skip = 0;  // leading bytes left off (FOLDER's, for relative paths)
    bool sjis = false;     // they are Shift_JIS (not the file system's own bytes)
};

// The bytes of `path` after those a relative row leaves off (FOLDER's).
std::string ShownPath(const char* path, std::size_t skip);

// Nothing the engine calls lets an exception out; a failure to allocate stops the lines of
// that file and is remembered.
class PrinterFailure {
public:
    bool OutOfMemory() const { return outOfMemory_; }

protected:
    bool outOfMemory_ = false;
};

// --lines and --vimgrep. In UTF-8 style the paths are taken to be Shift_JIS and converted, as
// the rows are.
class GrepLinePrinter : public HitLineSink, public PrinterFailure {
public:
    GrepLinePrinter(std::FILE* out, bool vimgrep, bool groupSeparators, const LineStyle& style,
                    std::size_t pathSkip)
        : out_(out),
          vimgrep_(vimgrep),
          groupSeparators_(groupSeparators),
          style_(style),
          pathSkip_(pathSkip) {}
    GrepLinePrinter(const GrepLinePrinter&) = delete;
    GrepLinePrinter& operator=(const GrepLinePrinter&) = delete;

    void BeginFile(const char* path, const FileEncoding& encoding) override;
    bool Line(const HitLine& line) override;
    void EndFile(std::size_t searchedBytes, int hits) override;

private:
    const std::string& PrintedPath();

    std::FILE* out_;
    bool vimgrep_;
    bool groupSeparators_;
    LineStyle style_;
    std::size_t pathSkip_;
    std::string rawPath_;  // the file's, as the engine names it
    std::string path_;     // as printed, once pathReady_
    bool pathReady_ = false;
    std::string buffer_;
    PrintedLine scratch_;
    bool printedBefore_ = false;  // of this file or of one before: a later group is separated
    bool haveLast_ = false;       // a line of this file was printed
    std::size_t lastNumber_ = 0;
};

// --json: begin, match and context lines and end for each file with hits; the summary once
// the search is over.
class JsonLinePrinter : public HitLineSink, public PrinterFailure {
public:
    JsonLinePrinter(std::FILE* out, const PathForm& paths)
        : out_(out), paths_(paths), started_(Clock::now()) {}
    JsonLinePrinter(const JsonLinePrinter&) = delete;
    JsonLinePrinter& operator=(const JsonLinePrinter&) = delete;

    void BeginFile(const char* path, const FileEncoding& encoding) override;
    bool Line(const HitLine& line) override;
    void EndFile(std::size_t searchedBytes, int hits) override;

    // Writes the summary of every file read.
    void Finish();

private:
    using Clock = std::chrono::steady_clock;
    static std::uint64_t NanosSince(Clock::time_point start);

    std::FILE* out_;
    PathForm paths_;
    Clock::time_point started_;
    Clock::time_point fileStarted_;
    std::string rawPath_;  // the file's, as the engine names it
    std::string path_;     // as JSON, once its begin message is written
    KanjiCode readAs_ = KC_ASCII;
    bool begun_ = false;  // its begin message is written
    SearchStats file_;
    SearchStats totals_;
    std::string buffer_;
    PrintedLine scratch_;
};

}  // namespace quelbrix

#endif
