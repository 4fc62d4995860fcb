#include "hit_line_recording.h"

#include <new>

namespace quelbrix {

namespace {

// What a recording keeps from one file to the next; more is given back once replayed.
constexpr std::size_t kKeptBytes = 1u << 20;

template <class Vector>
void ShrinkWhenLarge(Vector& kept) {
    if (kept.capacity() * sizeof(typename Vector::value_type) > kKeptBytes) Vector().swap(kept);
    kept.clear();
}

}  // namespace

std::size_t HitLineRecording::LineBytes(const HitLine& line) {
    return line.length + line.endLength + line.hitCount * sizeof(HitRange) + sizeof(KeptLine);
}

std::size_t HitLineRecording::KeptBytes() const {
    return bytes_.size() + hits_.size() * sizeof(HitRange) + lines_.size() * sizeof(KeptLine);
}

void HitLineRecording::BeginFile(const char*, const FileEncoding& encoding) {
    begun_ = true;
    encoding_ = encoding;
}

bool HitLineRecording::Line(const HitLine& line) try {
    // The records count too: a file of many short lines would otherwise hold several times
    // the limit.
    const std::size_t bytes = LineBytes(line);
    if (bytes > limit_ || KeptBytes() > limit_ - bytes) {
        incomplete_ = true;
        return false;
    }
    KeptLine kept{line.number, line.offset,    bytes_.size(), line.length,
                  line.endLength, hits_.size(), line.hitCount, line.context};
    bytes_.append(line.text, line.length + line.endLength);
    hits_.insert(hits_.end(), line.hits, line.hits + line.hitCount);
    lines_.push_back(kept);
    return true;
} catch (const std::bad_alloc&) {
    incomplete_ = true;
    return false;
}

void HitLineRecording::EndFile(std::size_t searchedBytes, int) { searchedBytes_ = searchedBytes; }

int HitLineRecording::Replay(const char* path, HitLineSink& sink) const {
    if (!begun_) return 0;
    sink.BeginFile(path, encoding_);
    int given = 0;
    for (const KeptLine& kept : lines_) {
        HitLine line;
        line.number = kept.number;
        line.offset = kept.offset;
        line.text = bytes_.data() + kept.textAt;
        line.length = kept.length;
        line.endLength = kept.endLength;
        line.hits = kept.hitCount > 0 ? hits_.data() + kept.hitsAt : nullptr;
        line.hitCount = kept.hitCount;
        line.context = kept.context;
        // As the matcher counts: the hits of every line given, the one refused among them.
        given += static_cast<int>(kept.hitCount);
        if (!sink.Line(line)) break;
    }
    sink.EndFile(searchedBytes_, given);
    return given;
}

void HitLineRecording::Clear() {
    begun_ = false;
    incomplete_ = false;
    encoding_ = FileEncoding{};
    searchedBytes_ = 0;
    if (bytes_.capacity() > kKeptBytes) std::string().swap(bytes_);
    bytes_.clear();
    ShrinkWhenLarge(lines_);
    ShrinkWhenLarge(hits_);
}

}  // namespace quelbrix
