// Where a word hit: the lines of a file's searched text that hold hits, with their numbers,
// their hits as byte ranges and, on request, the lines around them. The command line's line
// forms and the program's preview are made from these.
#ifndef QUELBRIX_HIT_LINES_H
#define QUELBRIX_HIT_LINES_H

#include <cstddef>

#include "engine/platform.h"
#include "kanji/kanji_code.h"

class CGrexmo;

namespace quelbrix {

// One hit, as bytes [start, end) of its line's text; end never runs past the line's end.
struct HitRange {
    std::size_t start = 0;
    std::size_t end = 0;
};

// A line ends at LF; a CR before the LF is part of the line's end, not of its text (so the
// lines are those that Grexmo's ^ and $ see). A text without a line end is one line.
struct HitLine {
    std::size_t number = 0;       // 1-based
    std::size_t offset = 0;       // of the line's first byte in the searched text
    const char* text = nullptr;   // the line's text, not zero-terminated
    std::size_t length = 0;       // bytes of text
    std::size_t endLength = 0;    // text[length, length + endLength) is its end: "", "\n", "\r\n"
    const HitRange* hits = nullptr;  // in order; none on a context line
    std::size_t hitCount = 0;
    bool context = false;  // a line shown around a hit line, holding no hit of its own
};

// How a file's text was read: the detector's verdict, the encoding the text was read in and
// whether it was converted to Shift_JIS before matching. `readAs` is the verdict, except for a
// file converted as UTF-16 after its byte-order mark, whatever the detector called it:
// KC_UNICODE (FF FE) or KC_UNICODE_BE (FE FF) then.
struct FileEncoding {
    KanjiCode verdict = KC_ASCII;
    KanjiCode readAs = KC_ASCII;
    bool converted = false;
};

// Receives the hit lines of one file or of every file of a search, in order. What it is given
// is valid only during the call.
class HitLineSink {
public:
    virtual ~HitLineSink() = default;
    // A file read and about to be matched; every line given until EndFile is one of its lines.
    // `path` is as the walk (or the caller) named it.
    virtual void BeginFile(const char* /*path*/, const FileEncoding& /*encoding*/) {}
    // One hit line or context line; false: no more lines of this file are wanted.
    virtual bool Line(const HitLine& line) = 0;
    // The file is done: `searchedBytes` of text were matched and held `hits` hits (those of
    // the lines given, when Line stopped the listing).
    virtual void EndFile(std::size_t /*searchedBytes*/, int /*hits*/) {}
};

// The answer of ListHitLines.
struct HitLineCount {
    int hits = 0;          // the hits of the lines given
    bool stopped = false;  // Line answered false
};

// Gives `sink` the lines of `text` that hold hits of `pattern` (the very hits the search counts:
// non-overlapping, leftmost first; a hit that runs over a line end belongs to the line it
// starts on and is cut at that line's end), each with up to `contextLines` lines before and
// after it, none given twice. `text` holds `length` bytes and a zero after them; matching ends
// at its first zero byte, as the search's does. Linear in the length whatever the hits.
// Calls only Line.
HitLineCount ListHitLines(CGrexmo& pattern, const char* text, std::size_t length,
                          int contextLines, HitLineSink& sink);

// One file's hit lines, asked for by itself (the program's preview): the file is read,
// detected and converted as a search with these options would, and the word compiled as it
// would be. Nothing here shows a message or touches a running search.
struct HitLineRequest {
    const char* word = "";
    bool useRegex = false;
    unsigned folds = 0;  // GrexmoFold values
    bool convertCodes = true;
    bool convertUtf8 = false;  // with convertCodes: text the detector calls UTF-8 is converted too
    int contextLines = 0;
};

enum class HitLinesStatus {
    kListed,          // the sink was given the file and its lines (also when Line stopped them)
    kInvalidPattern,  // useRegex and Grexmo refuses the word
    kNotOpened,       // the file is missing, locked or not a file
    kNotRead,         // reading failed, or it is 4 GiB or more
    kOutOfMemory,
    kNotConverted,    // the conversion to Shift_JIS failed
};

// Calls sink.BeginFile, Line for each line and EndFile when the file could be read; `count`
// (unless null) receives the hits given.
HitLinesStatus ReadHitLines(FileSystem& files, const char* path, const HitLineRequest& request,
                            HitLineSink& sink, HitLineCount* count = nullptr);

}  // namespace quelbrix

#endif
