// Thin window objects. A dialog or a property-sheet page is an object that holds its window's
// state; the static procedure finds the object and forwards each message to a few virtual
// handlers, inside a guard that keeps every exception in. The control helpers live here, once.
#pragma once

#include <windows.h>
#include <prsht.h>

#include <cstddef>
#include <string>

namespace quelbrix {

struct AppContext;

class Dialog {
public:
    explicit Dialog(AppContext& app) : app_(app) {}
    virtual ~Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog of template `templateId` modally; returns the result EndDialog gave.
    INT_PTR RunModal(int templateId, HWND owner);

    // The window while it exists, otherwise null.
    HWND Window() const { return window_; }
    AppContext& App() const { return app_; }

    // ---- Controls of this window, by id ----
    HWND Control(int id) const { return GetDlgItem(window_, id); }
    bool IsTicked(int id) const;
    void SetTicked(int id, bool on) const;
    void Enable(int id, bool on) const;
    // The control's text, read whole: no fixed-size buffer cuts it short.
    std::string Text(int id) const;
    void SetText(int id, const std::string& text) const;
    // The text as stored: at most `bytes`, never half a character.
    std::string TextWithin(int id, std::size_t bytes) const;
    // Typing stops at `bytes`, so nothing typed is cut unseen.
    void LimitText(int id, std::size_t bytes) const;
    // An edit box counts its limit in characters rather than bytes, so a double-byte text can
    // pass it; on its change notice such a text is cut back to `bytes` at once, with a beep,
    // while the user still sees it. For an edit box or a combo box's field.
    void KeepTextWithin(int id, std::size_t bytes) const;

protected:
    // The handlers. A message's answer is what its handler returns; the default handlers
    // answer 0, and so does every message that runs out of memory.
    virtual INT_PTR OnInit() { return FALSE; }
    virtual void OnCommand(int /*id*/, int /*code*/) {}
    virtual INT_PTR OnNotify(NMHDR& /*notice*/) { return 0; }
    // Any other message; false leaves it to the dialog manager.
    virtual bool OnMessage(UINT /*message*/, WPARAM, LPARAM, INT_PTR& /*answer*/) { return false; }
    // Running out of memory inside a handler: the user is told (IDS_NO_MEMORY).
    virtual void OnOutOfMemory();

    // What both procedures share once the object is found: the handlers, guarded.
    INT_PTR Handle(UINT message, WPARAM first, LPARAM second);
    // Ties the object to `window` (WM_INITDIALOG) so that later messages find it.
    static void Attach(HWND window, Dialog* dialog);
    static Dialog* Attached(HWND window);

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM first, LPARAM second);

    AppContext& app_;
    HWND window_ = nullptr;
};

// A page of a property sheet: created from its template, told when the sheet's Help or OK
// button is pressed while (or after) it was shown. A page never shown gets neither notice.
class PropertyPage : public Dialog {
public:
    PropertyPage(AppContext& app, int templateId, bool hasHelp)
        : Dialog(app), templateId_(templateId), hasHelp_(hasHelp) {}

    // The page for the sheet's header; null when it cannot be created. The object must outlive
    // the sheet that shows it.
    HPROPSHEETPAGE Create();

protected:
    virtual void OnHelp() {}
    virtual void OnApply() {}
    INT_PTR OnNotify(NMHDR& notice) override;

private:
    static INT_PTR CALLBACK PageProcedure(HWND window, UINT message, WPARAM first, LPARAM second);

    int templateId_;
    bool hasHelp_;
};

}  // namespace quelbrix
