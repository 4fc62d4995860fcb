#include "pattern_check.h"

#include <windows.h>

#include "app/pattern_reason.h"
#include "app_context.h"
#include "common/product.h"
#include "grexmo/grexmo.h"
#include "quelbrix_u_resources.h"

namespace quelbrix {

bool AcceptSearchPattern(const AppContext& app, HWND owner, const std::string& word) {
    CGrexmo pattern;
    pattern.Read(word.c_str(), true);
    if (pattern.IsValid()) return true;

    std::string text = LoadProgramString(app.instance, IDS_BAD_PATTERN);
    const std::size_t slot = text.find("%s");
    const std::string reason = PatternReasonInJapanese(pattern.GetErrorText());
    if (slot != std::string::npos) {
        text.replace(slot, 2, reason);
    } else {
        text += reason;
    }
    MessageBoxA(owner, text.c_str(), kProgramName, MB_ICONHAND | MB_OK);
    return false;
}

}  // namespace quelbrix
