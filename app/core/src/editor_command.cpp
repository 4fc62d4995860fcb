#include "app/editor_command.h"

#include <iterator>
#include <utility>

#include "common/shift_jis.h"

namespace quelbrix {

const EditorPreset kEditorPresets[] = {
    {"Notepad++", "-n%L \"%F\""},
    {"Visual Studio Code", "-g \"%F:%L\""},
    {"Vim / gVim", "+%L \"%F\""},
    {"サクラエディタ", "-Y=%L \"%F\""},
    {"秀丸エディタ", "/j%L \"%F\""},
    {"EmEditor", "/l %L \"%F\""},
};
const std::size_t kEditorPresetCount = std::size(kEditorPresets);

namespace {

bool HoldsBlank(const std::string& text) {
    return text.find(' ') != std::string::npos || text.find('\t') != std::string::npos;
}

}  // namespace

std::string ExpandEditorArguments(const std::string& arguments, const std::string& path,
                                  std::size_t line) {
    const std::string quotedWhereNeeded = HoldsBlank(path) ? "\"" + path + "\"" : path;
    std::string out;
    bool inQuotes = false;
    bool pathPlaced = false;
    const char* const end = arguments.data() + arguments.size();
    for (const char* p = arguments.data(); p < end;) {
        const std::size_t length = sjis::CharLengthIn(p, end);
        if (length == 1 && *p == '"') inQuotes = !inQuotes;
        if (length == 1 && *p == '%' && p + 1 < end) {
            const char code = p[1];
            if (code == 'F') {
                out += inQuotes ? path : quotedWhereNeeded;
                pathPlaced = true;
                p += 2;
                continue;
            }
            if (code == 'L') {
                out += std::to_string(line);
                p += 2;
                continue;
            }
            if (code == '%') {
                out += '%';
                p += 2;
                continue;
            }
        }
        out.append(p, length);
        p += length;
    }
    if (!pathPlaced) {
        if (!out.empty() && out.back() != ' ') out += ' ';
        out += quotedWhereNeeded;
    }
    return out;
}

std::string EditorProgramPath(const std::string& typed) {
    // Blanks and double quotes are single bytes below 0x40, never the second byte of a
    // double-byte character, so trimming them from either end keeps every character whole.
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    std::size_t first = 0;
    std::size_t last = typed.size();
    while (first < last && isBlank(typed[first])) ++first;
    while (last > first && isBlank(typed[last - 1])) --last;
    if (last - first >= 2 && typed[first] == '"' && typed[last - 1] == '"') {
        ++first;
        --last;
    }
    return typed.substr(first, last - first);
}

bool BuildEditorCommandLine(const std::string& program, const std::string& arguments,
                            const std::string& path, std::size_t line, std::string& commandLine) {
    commandLine.clear();
    if (program.empty() || program.find('"') != std::string::npos) return false;
    const std::string expanded = ExpandEditorArguments(arguments, path, line);
    std::string built = "\"" + program + "\"";
    if (!expanded.empty()) built += " " + expanded;
    if (built.size() + 1 > kCommandLineBytes) return false;
    commandLine = std::move(built);
    return true;
}

}  // namespace quelbrix
