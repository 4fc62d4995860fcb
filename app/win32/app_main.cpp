// Entry point of QuelbrixU, and how it binds the engine library.
#include <windows.h>

#include "app_context.h"
#include "common/win32_handles.h"
#include "quelbrix_engine.h"
#include "startup.h"

// QuelbrixD.dll is bound when the program is loaded, through the import library made from
// QuelbrixD_import.def: the first five functions by export number, QuelbrixFindStop,
// QuelbrixFindFolderEx, QuelbrixGetHitLines and QuelbrixSearch by name. The program needs
// them all to start, also QuelbrixFindFolder and QuelbrixFindFolderEx, which searches no
// longer call (they go through QuelbrixSearch), and the two version functions that only the
// version page calls; this table keeps them imported.
[[gnu::used]] extern const void* const kEngineBinding[] = {
    reinterpret_cast<const void*>(&QuelbrixGetVer),
    reinterpret_cast<const void*>(&QuelbrixGetBeta),
    reinterpret_cast<const void*>(&QuelbrixInitListView),
    reinterpret_cast<const void*>(&QuelbrixFindFolder),
    reinterpret_cast<const void*>(&QuelbrixSort),
    reinterpret_cast<const void*>(&QuelbrixFindStop),
    reinterpret_cast<const void*>(&QuelbrixFindFolderEx),
};

namespace {

// The program's one application object: it exists before WinMain runs and is released when the
// process ends normally.
quelbrix::AppContext theApp;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    // The shell's folder chooser and display-name parsing need COM on this thread.
    quelbrix::ComApartment com;
    try {
        quelbrix::RunApplication(theApp, instance, commandLine);
    } catch (...) {
        // Out of memory before the main window could run: there is nothing to show it with.
    }
    return 0;
}
