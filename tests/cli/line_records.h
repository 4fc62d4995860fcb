// Hit lines made by hand, as the engine hands them to a sink. Literals are Shift_JIS.
#ifndef QUELBRIX_TESTS_CLI_LINE_RECORDS_H
#define QUELBRIX_TESTS_CLI_LINE_RECORDS_H

#include <cstddef>
#include <string>
#include <vector>

#include "engine/hit_lines.h"

namespace quelbrix_test {

struct LineRecord {
    std::string text;        // the line's text and its end
    std::size_t length = 0;  // of the text without its end
    std::vector<quelbrix::HitRange> hits;
    std::size_t number = 1;
    std::size_t offset = 0;
    bool context = false;

    quelbrix::HitLine View() const {
        quelbrix::HitLine line;
        line.number = number;
        line.offset = offset;
        line.text = text.data();
        line.length = length;
        line.endLength = text.size() - length;
        line.hits = hits.data();
        line.hitCount = hits.size();
        line.context = context;
        return line;
    }
};

// A hit line whose hits are each occurrence of `word` in `text`, which ends with `end`.
inline LineRecord HitLineOf(const std::string& text, const std::string& word,
                            const std::string& end = "\n", std::size_t number = 1) {
    LineRecord record;
    record.text = text + end;
    record.length = text.size();
    record.number = number;
    for (std::size_t at = text.find(word); at != std::string::npos;
         at = text.find(word, at + word.size()))
        record.hits.push_back({at, at + word.size()});
    return record;
}

inline LineRecord ContextLineOf(const std::string& text, const std::string& end = "\n",
                                std::size_t number = 1) {
    LineRecord record;
    record.text = text + end;
    record.length = text.size();
    record.number = number;
    record.context = true;
    return record;
}

}  // namespace quelbrix_test

#endif
