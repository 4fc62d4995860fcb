// Message boxes, the string table, the message queue and the progress bar over USER32 and
// COMCTL32.
#ifndef QUELBRIX_WIN32_UI_H
#define QUELBRIX_WIN32_UI_H

#include <windows.h>

#include "platform.h"

namespace quelbrix {

class Win32Ui : public UserInterface {
public:
    // `instance` is read at every load: the library records it when it is loaded.
    explicit Win32Ui(void* const& instance) : instance_(instance) {}

    BoxAnswer ShowBox(WindowHandle owner, const char* text, const char* caption,
                      BoxKind kind) override;
    bool LoadText(int id, char* buffer, std::size_t size) override;
    void PumpOneMessage() override;
    void Pause(int milliseconds) override;
    void DebugOutput(const char* text) override;

private:
    void* const& instance_;
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
