// Message boxes, the string table, the message queue and the progress bar over USER32 and
// COMCTL32.
#ifndef QUELBRIX_WIN32_UI_H
#define QUELBRIX_WIN32_UI_H

#include <windows.h>

#include "engine/platform.h"

namespace quelbrix {

class Win32Ui : public UserInterface {
public:
    // The module whose string table LoadText reads; none until it is set.
    void SetInstance(void* instance) { instance_ = instance; }

    BoxAnswer ShowBox(WindowHandle owner, const char* text, const char* caption,
                      BoxKind kind) override;
    bool LoadText(int id, char* buffer, std::size_t size) override;
    void PumpOneMessage() override;
    void Pause(int milliseconds) override;
    void DebugOutput(const char* text) override;

private:
    void* instance_ = nullptr;
};

class Win32Progress : public ProgressBar {
public:
    void SetRange(WindowHandle bar, std::uint32_t upper) override;
    void SetStep(WindowHandle bar, int step) override;
    void StepIt(WindowHandle bar) override;
    void SetPosition(WindowHandle bar, int position) override;
};

}  // namespace quelbrix

#endif
