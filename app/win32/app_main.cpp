// Entry point of QuelbrixU.
#include <windows.h>
#include <objbase.h>

#include <new>

#include "startup.h"

namespace {

// The shell's folder chooser and display-name parsing need COM on this thread.
struct ComApartment {
    ComApartment() : ok(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (ok) CoUninitialize();
    }
    bool ok;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    ComApartment com;
    try {
        quelbrix::RunApplication(instance, commandLine);
    } catch (const std::bad_alloc&) {
        // Out of memory before the main window could run: there is nothing to show it with.
    }
    return 0;
}
