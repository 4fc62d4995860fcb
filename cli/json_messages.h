// Hit lines as JSON Lines, one message a line, in the message format of ripgrep's --json:
// begin, match and context, end for each file with hits, and one summary at the end. Text is
// UTF-8; what cannot be said in UTF-8 without loss is given as base64 of its bytes.
#ifndef QUELBRIX_CLI_JSON_MESSAGES_H
#define QUELBRIX_CLI_JSON_MESSAGES_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/hit_lines.h"
#include "kanji/kanji_code.h"
#include "printed_line.h"

namespace quelbrix {

// The "stats" object, of one file or added up over all.
struct SearchStats {
    std::uint64_t elapsedNanos = 0;
    std::uint64_t searches = 0;
    std::uint64_t searchesWithMatch = 0;
    std::uint64_t bytesSearched = 0;
    std::uint64_t bytesPrinted = 0;
    std::uint64_t matchedLines = 0;
    std::uint64_t matches = 0;
};

// "Shift_JIS", "EUC-JP", "UTF-16LE", "UTF-16BE"...: how a file was read, by its usual name.
const char* EncodingName(KanjiCode verdict);

// A path as {"text":...} or {"bytes":...}: converted when the engine's paths are Shift_JIS,
// else the file system's own bytes, which are text when they are UTF-8.
void AppendJsonPath(std::string& out, const char* path, std::size_t length, bool sjis);

// `jsonPath` is what AppendJsonPath made. Each message ends with LF.
void AppendJsonBegin(std::string& out, const std::string& jsonPath, KanjiCode verdict);
// "match" for a hit line, "context" for a context line. The line is given with its end; its
// offsets are bytes of the UTF-8 line, or of its Shift_JIS bytes when those are given instead.
// `scratch` only saves allocations.
void AppendJsonLine(std::string& out, const std::string& jsonPath, const HitLine& line,
                    PrintedLine& scratch);
void AppendJsonEnd(std::string& out, const std::string& jsonPath, const SearchStats& stats);
void AppendJsonSummary(std::string& out, std::uint64_t elapsedTotalNanos,
                       const SearchStats& totals);

}  // namespace quelbrix

#endif
