// A stand-in for the program a user chooses to open results with: it writes the command line
// it was started with to command_line.txt beside itself and ends. The end-to-end tests read it
// to see which parameter text the program was given.
#include <windows.h>

#include <cstring>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char self[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, self, sizeof self);
    if (length == 0 || length >= sizeof self) return 1;
    std::string folder(self, length);
    folder.erase(folder.find_last_of('\\') + 1);
    const std::string partial = folder + "command_line.part";
    const std::string done = folder + "command_line.txt";
    HANDLE file = CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    const char* line = GetCommandLineA();
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
    CloseHandle(file);
    // Renamed when complete, so a reader never sees half a line.
    return MoveFileExA(partial.c_str(), done.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
