#include "line_printers.h"

#include <cstring>
#include <new>

#include "kanji/unicode_text.h"

namespace quelbrix {

namespace {

// A file with very many hit lines is written in parts rather than held whole.
constexpr std::size_t kWriteEarlyBytes = 1 << 20;

void WriteOut(std::FILE* out, std::string& buffer) {
    std::fwrite(buffer.data(), 1, buffer.size(), out);
    buffer.clear();
}

void WriteWhenLarge(std::FILE* out, std::string& buffer) {
    if (buffer.size() >= kWriteEarlyBytes) WriteOut(out, buffer);
}

}  // namespace

std::string ShownPath(const char* path, std::size_t skip) {
    const std::size_t length = std::strlen(path);
    return std::string(path + (skip < length ? skip : length));
}

void GrepLinePrinter::BeginFile(const char* path, const FileEncoding&) try {
    // Most files have no hit line: the path is made printable only when one comes.
    rawPath_.assign(path);
    pathReady_ = false;
    haveLast_ = false;
} catch (const std::bad_alloc&) {
    outOfMemory_ = true;
}

const std::string& GrepLinePrinter::PrintedPath() {
    if (!pathReady_) {
        path_ = ShownPath(rawPath_.c_str(), pathSkip_);
        if (style_.utf8) path_ = SjisToUtf8(path_.data(), path_.size());
        pathReady_ = true;
    }
    return path_;
}

bool GrepLinePrinter::Line(const HitLine& line) try {
    if (vimgrep_) {
        AppendVimgrepLines(buffer_, PrintedPath(), line, style_, scratch_);
        WriteWhenLarge(out_, buffer_);
        return true;
    }
    // As grep: "--" before a group that does not follow the line printed last, in this file
    // or (for the first group of a file) in any before it.
    const bool follows = haveLast_ && line.number == lastNumber_ + 1;
    if (groupSeparators_ && printedBefore_ && !follows) AppendGroupSeparator(buffer_, style_);
    // A very long line goes out by itself rather than through the buffer.
    if (line.length >= kWriteEarlyBytes) WriteOut(out_, buffer_);
    AppendGrepLine(buffer_, PrintedPath(), line, style_, scratch_);
    printedBefore_ = true;
    haveLast_ = true;
    lastNumber_ = line.number;
    WriteWhenLarge(out_, buffer_);
    return true;
} catch (const std::bad_alloc&) {
    outOfMemory_ = true;
    return false;
}

void GrepLinePrinter::EndFile(std::size_t, int) { WriteOut(out_, buffer_); }

std::uint64_t JsonLinePrinter::NanosSince(Clock::time_point start) {
    const auto elapsed = std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start);
    return static_cast<std::uint64_t>(elapsed.count());
}

void JsonLinePrinter::BeginFile(const char* path, const FileEncoding& encoding) try {
    fileStarted_ = Clock::now();
    // The path is written as JSON only for a file with lines to print.
    rawPath_.assign(path);
    readAs_ = encoding.readAs;
    begun_ = false;
    file_ = SearchStats();
    file_.searches = 1;
} catch (const std::bad_alloc&) {
    outOfMemory_ = true;
}

bool JsonLinePrinter::Line(const HitLine& line) try {
    const std::size_t before = buffer_.size();
    if (!begun_) {
        const std::string shown = ShownPath(rawPath_.c_str(), paths_.skip);
        path_.clear();
        AppendJsonPath(path_, shown.data(), shown.size(), paths_.sjis);
        AppendJsonBegin(buffer_, path_, readAs_);
        begun_ = true;
    }
    AppendJsonLine(buffer_, path_, line, scratch_);
    file_.bytesPrinted += buffer_.size() - before;
    if (!line.context) {
        ++file_.matchedLines;
        file_.matches += line.hitCount;
    }
    WriteWhenLarge(out_, buffer_);
    return true;
} catch (const std::bad_alloc&) {
    outOfMemory_ = true;
    return false;
}

void JsonLinePrinter::EndFile(std::size_t searchedBytes, int) try {
    file_.elapsedNanos = NanosSince(fileStarted_);
    file_.bytesSearched = searchedBytes;
    file_.searchesWithMatch = file_.matches > 0 ? 1 : 0;
    if (begun_) AppendJsonEnd(buffer_, path_, file_);
    totals_.elapsedNanos += file_.elapsedNanos;
    totals_.searches += file_.searches;
    totals_.searchesWithMatch += file_.searchesWithMatch;
    totals_.bytesSearched += file_.bytesSearched;
    totals_.bytesPrinted += file_.bytesPrinted;
    totals_.matchedLines += file_.matchedLines;
    totals_.matches += file_.matches;
    WriteOut(out_, buffer_);
} catch (const std::bad_alloc&) {
    outOfMemory_ = true;
}

void JsonLinePrinter::Finish() try {
    AppendJsonSummary(buffer_, NanosSince(started_), totals_);
    WriteOut(out_, buffer_);
} catch (const std::bad_alloc&) {
    outOfMemory_ = true;
}

}  // namespace quelbrix
