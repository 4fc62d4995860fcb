// Ids of the engine's string table and the captions of its message boxes.
#ifndef QUELBRIX_MESSAGES_H
#define QUELBRIX_MESSAGES_H

#include <cstddef>

#include "common/product.h"  // kEngineCaption

namespace quelbrix {

enum MessageId : int {
    kMsgFileNotFound = 123,
    kMsgOutOfMemory = 124,
    kMsgReadFailed = 125,
    kMsgConversionFailed = 126,
    kMsgSearchStopped = 127,
    kMsgErrorQuestion = 128,
    kMsgSummary = 129,
};

// Shown when the error policy holds a value no page of the program writes.
constexpr const char* kStrayPolicyText = "迷子";
constexpr const char* kStrayPolicyCaption = "エラー";

// Buffer sizes the texts are loaded and formatted into.
constexpr std::size_t kTextBufferSize = 1024;
constexpr std::size_t kErrorTextBufferSize = 256;

}  // namespace quelbrix

#endif
