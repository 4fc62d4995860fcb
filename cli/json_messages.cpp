#include "json_messages.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "json_text.h"
#include "kanji/unicode_text.h"

namespace quelbrix {

namespace {

void AppendUnsigned(std::string& out, std::uint64_t value) {
    char digits[24];
    const int length = std::snprintf(digits, sizeof digits, "%" PRIu64, value);
    out.append(digits, static_cast<std::size_t>(length));
}

// ,"key":value
void AppendField(std::string& out, const char* key, std::uint64_t value) {
    out += ",\"";
    out += key;
    out += "\":";
    AppendUnsigned(out, value);
}

// {"secs":0,"nanos":123000,"human":"0.000123s"}
void AppendElapsed(std::string& out, std::uint64_t nanos) {
    const std::uint64_t billion = 1000000000;
    out += "{\"secs\":";
    AppendUnsigned(out, nanos / billion);
    AppendField(out, "nanos", nanos % billion);
    char human[48];
    std::snprintf(human, sizeof human, "%.6fs", static_cast<double>(nanos) / 1e9);
    out += ",\"human\":";
    AppendJsonString(out, human, std::strlen(human));
    out += '}';
}

void AppendStats(std::string& out, const SearchStats& stats) {
    out += "{\"elapsed\":";
    AppendElapsed(out, stats.elapsedNanos);
    AppendField(out, "searches", stats.searches);
    AppendField(out, "searches_with_match", stats.searchesWithMatch);
    AppendField(out, "bytes_searched", stats.bytesSearched);
    AppendField(out, "bytes_printed", stats.bytesPrinted);
    AppendField(out, "matched_lines", stats.matchedLines);
    AppendField(out, "matches", stats.matches);
    out += '}';
}

// Shift_JIS bytes as text when they convert without loss, else as their bytes.
void AppendSjisData(std::string& out, const char* sjis, std::size_t length, std::string& utf8) {
    utf8.clear();
    if (AppendSjisAsUtf8(sjis, length, utf8))
        AppendJsonText(out, utf8.data(), utf8.size());
    else
        AppendJsonBytes(out, sjis, length);
}

}  // namespace

const char* EncodingName(KanjiCode verdict) {
    switch (verdict) {
    case KC_ASCII:
        return "ASCII";
    case KC_JIS:
        return "ISO-2022-JP";
    case KC_SJIS:
        return "Shift_JIS";
    case KC_EUC:
        return "EUC-JP";
    case KC_UNICODE:
        return "UTF-16LE";
    case KC_UNICODE_BE:
        return "UTF-16BE";
    case KC_UTF8:
        return "UTF-8";
    case KC_UTF7:
        return "UTF-7";
    case KC_UNDECIDED:
        return "undecided";
    case KC_BINARY:
        return "binary";
    }
    return "unknown";  // only a verdict of a newer detector
}

void AppendJsonPath(std::string& out, const char* path, std::size_t length, bool sjis) {
    if (sjis) {
        std::string utf8;
        AppendSjisData(out, path, length, utf8);
    } else if (IsUtf8(path, length)) {
        AppendJsonText(out, path, length);
    } else {
        AppendJsonBytes(out, path, length);
    }
}

void AppendJsonBegin(std::string& out, const std::string& jsonPath, KanjiCode verdict) {
    out += "{\"type\":\"begin\",\"data\":{\"path\":";
    out += jsonPath;
    out += ",\"encoding\":";
    const char* const name = EncodingName(verdict);
    AppendJsonString(out, name, std::strlen(name));
    out += "}}\n";
}

void AppendJsonLine(std::string& out, const std::string& jsonPath, const HitLine& line,
                    PrintedLine& scratch) {
    const bool asText = MakePrintedLine(line, true, true, scratch);
    out += line.context ? "{\"type\":\"context\",\"data\":{\"path\":"
                        : "{\"type\":\"match\",\"data\":{\"path\":";
    out += jsonPath;
    out += ",\"lines\":";
    if (asText)
        AppendJsonText(out, scratch.text.data(), scratch.text.size());
    else
        AppendJsonBytes(out, line.text, line.length + line.endLength);
    AppendField(out, "line_number", line.number);
    AppendField(out, "absolute_offset", line.offset);
    out += ",\"submatches\":[";
    std::string utf8;
    for (std::size_t i = 0; i < line.hitCount; ++i) {
        if (i > 0) out += ',';
        out += "{\"match\":";
        HitRange range;
        if (asText) {
            range = scratch.hits[i];
            AppendJsonText(out, scratch.text.data() + range.start, range.end - range.start);
        } else {
            range.end = std::min(line.hits[i].end, line.length);
            range.start = std::min(line.hits[i].start, range.end);
            AppendSjisData(out, line.text + range.start, range.end - range.start, utf8);
        }
        AppendField(out, "start", range.start);
        AppendField(out, "end", range.end);
        out += '}';
    }
    out += "]}}\n";
}

void AppendJsonEnd(std::string& out, const std::string& jsonPath, const SearchStats& stats) {
    out += "{\"type\":\"end\",\"data\":{\"path\":";
    out += jsonPath;
    out += ",\"binary_offset\":null,\"stats\":";
    AppendStats(out, stats);
    out += "}}\n";
}

void AppendJsonSummary(std::string& out, std::uint64_t elapsedTotalNanos,
                       const SearchStats& totals) {
    out += "{\"type\":\"summary\",\"data\":{\"elapsed_total\":";
    AppendElapsed(out, elapsedTotalNanos);
    out += ",\"stats\":";
    AppendStats(out, totals);
    out += "}}\n";
}

}  // namespace quelbrix
