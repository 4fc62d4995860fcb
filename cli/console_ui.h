// Message boxes as lines on stderr, answered as the command line says; no message queue.
#ifndef QUELBRIX_CLI_CONSOLE_UI_H
#define QUELBRIX_CLI_CONSOLE_UI_H

#include <cstdio>

#include "engine/platform.h"
#include "utf8_terminal.h"

namespace quelbrix {

class ConsoleUi : public UserInterface {
public:
    ConsoleUi(std::FILE* boxes, bool answerYes, const TerminalText& terminal)
        : boxes_(boxes), answerYes_(answerYes), terminal_(terminal) {}

    // One line per box: the caption, a tab, the text with each line break written as "\n".
    BoxAnswer ShowBox(WindowHandle owner, const char* text, const char* caption,
                      BoxKind kind) override;
    bool LoadText(int id, char* buffer, std::size_t size) override;
    void PumpOneMessage() override {}
    void Pause(int) override {}
    void DebugOutput(const char*) override {}

private:
    std::FILE* boxes_;
    bool answerYes_;
    const TerminalText& terminal_;
};

// Stands in for a progress bar that nobody sees.
class SilentProgress : public ProgressBar {
public:
    void SetRange(WindowHandle, std::uint32_t) override {}
    void SetStep(WindowHandle, int) override {}
    void StepIt(WindowHandle) override {}
    void SetPosition(WindowHandle, int) override {}
};

}  // namespace quelbrix

#endif
