// Entry point of QuelbrixU.
#include <windows.h>
#include <objbase.h>

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
    quelbrix::RunApplication(instance, commandLine);
    return 0;
}
