// The hit lines of any pattern on any text: every line is a real line of the text with the
// right number, offset and end; hits lie inside their line, in order; no line is given twice
// or out of order; context lines are within reach of a hit line; and the hits add up to what
// the counting loop counts.
#include <string>
#include <vector>

#include "engine/hit_lines.h"
#include "fuzz_check.h"
#include "grexmo/grexmo.h"
#include "hit_counter.h"

namespace {

using quelbrix_fuzz::Input;
using quelbrix_fuzz::Shown;

struct CheckingSink : quelbrix::HitLineSink {
    const std::string* text = nullptr;
    std::size_t size = 0;  // up to the first zero byte
    std::size_t lastNumber = 0;
    std::size_t lastHitNumber = 0;
    int context = 0;
    long long hits = 0;
    std::vector<std::size_t> contextNumbers;
    std::vector<std::size_t> hitNumbers;

    bool Line(const quelbrix::HitLine& line) override {
        const std::string& t = *text;
        const std::string where = Shown(t) + " line " + std::to_string(line.number);
        FUZZ_CHECK(line.number > lastNumber, where);
        lastNumber = line.number;
        FUZZ_CHECK(line.text == t.data() + line.offset, where);
        FUZZ_CHECK(line.offset <= size && line.length <= size - line.offset, where);
        // Its number is one more than the line ends before it.
        std::size_t ends = 0;
        for (std::size_t i = 0; i < line.offset; ++i) ends += t[i] == '\n';
        FUZZ_CHECK(line.number == ends + 1, where);
        FUZZ_CHECK(line.offset == 0 || t[line.offset - 1] == '\n', where);
        const std::size_t after = line.offset + line.length;
        if (line.endLength == 0) {
            FUZZ_CHECK(after == size, where);
        } else if (line.endLength == 1) {
            FUZZ_CHECK(t[after] == '\n' && (line.length == 0 || t[after - 1] != '\r'), where);
        } else {
            FUZZ_CHECK(line.endLength == 2 && t[after] == '\r' && t[after + 1] == '\n', where);
        }
        FUZZ_CHECK(line.text + line.length == t.data() + after, where);
        for (std::size_t i = 0; i < line.length; ++i) FUZZ_CHECK(line.text[i] != '\n', where);
        FUZZ_CHECK(line.context == (line.hitCount == 0), where);
        std::size_t at = 0;
        for (std::size_t i = 0; i < line.hitCount; ++i) {
            FUZZ_CHECK(line.hits[i].start >= at && line.hits[i].start <= line.hits[i].end, where);
            FUZZ_CHECK(line.hits[i].end <= line.length, where);
            at = line.hits[i].end;
        }
        hits += static_cast<long long>(line.hitCount);
        (line.context ? contextNumbers : hitNumbers).push_back(line.number);
        return true;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input input(data, size);
    const int context = static_cast<int>(input.Pick(4));
    const bool regex = input.Flag();
    const std::string word = input.Field();
    const std::string text = input.Rest();

    CGrexmo pattern;
    pattern.Read(word.c_str(), regex);
    CheckingSink sink;
    sink.text = &text;
    sink.size = text.find('\0') == std::string::npos ? text.size() : text.find('\0');
    sink.context = context;
    const quelbrix::HitLineCount count =
        quelbrix::ListHitLines(pattern, text.c_str(), text.size(), context, sink);
    FUZZ_CHECK(!count.stopped, Shown(word));
    FUZZ_CHECK(count.hits == sink.hits, Shown(word));

    CGrexmo counter;
    counter.Read(word.c_str(), regex);
    FUZZ_CHECK(count.hits == quelbrix::CountHits(counter, text.c_str(), text.size(), true),
               Shown(word) + " on " + Shown(text));

    // Every context line is within `context` lines of a hit line.
    for (std::size_t number : sink.contextNumbers) {
        bool near = false;
        for (std::size_t hit : sink.hitNumbers)
            near = near || (number < hit ? hit - number : number - hit) <= static_cast<std::size_t>(context);
        FUZZ_CHECK(near, Shown(text) + " context line " + std::to_string(number));
    }
    return 0;
}
