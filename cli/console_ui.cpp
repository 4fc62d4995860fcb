#include "console_ui.h"

#include <string>

#include "engine/bounded_text.h"
#include "engine/message_texts.h"

namespace quelbrix {

BoxAnswer ConsoleUi::ShowBox(WindowHandle, const char* text, const char* caption, BoxKind kind) {
    std::string line = caption;
    line += '\t';
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '\n')
            line += "\\n";
        else
            line += *p;
    }
    line += '\n';
    terminal_.Write(boxes_, line);
    std::fflush(boxes_);
    if (kind != BoxKind::kErrorQuestion) return BoxAnswer::kOk;
    return answerYes_ ? BoxAnswer::kYes : BoxAnswer::kNo;
}

bool ConsoleUi::LoadText(int id, char* buffer, std::size_t size) {
    const char* text = EngineMessageText(id);
    CopyBounded(buffer, size, text != nullptr ? text : "");
    return text != nullptr;
}

}  // namespace quelbrix
