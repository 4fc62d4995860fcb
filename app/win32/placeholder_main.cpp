// Stand-in entry point until the main window exists.
#include <windows.h>
#include "grexmo.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CGrexmo pattern;
    pattern.Read("検索", false);
    MessageBoxA(nullptr, "QuelbrixU は準備中です。", "QuelbrixU", MB_OK | MB_ICONINFORMATION);
    return 0;
}
