// Every section and key of QuelbrixU.ini that the program reads or writes, named once. The
// functions of app/core that read and write the file use these; nothing else spells them.
#pragma once

#include <string>

namespace quelbrix {

// [main]: the main window's check boxes, its placement and the list's column widths, kept
// from run to run.
constexpr char kMainSection[] = "main";
constexpr char kSubfoldersKey[] = "under";
constexpr char kRegexKey[] = "formal";
constexpr char kIgnoreCaseKey[] = "ignorecase";    // the word matches either case
constexpr char kIgnoreWidthKey[] = "ignorewidth";  // ... either width
constexpr char kIgnoreKanaKey[] = "ignorekana";    // ... hiragana and katakana alike
constexpr char kPlacementKey[] = "placement";  // "left,top,right,bottom,maximised"
constexpr char kColumnsKey[] = "columns";      // the four column widths, in column order
constexpr char kPreviewHeightKey[] = "preview";  // the preview pane's height at 96 DPI

// [whole]: the search options, the program that opens found files, the error policy.
constexpr char kWholeSection[] = "whole";
constexpr char kNoProgressKey[] = "nProgress";
constexpr char kNoKanjiKey[] = "nKanji";
constexpr char kNoCountKey[] = "nCount";
constexpr char kRelativeKey[] = "relative";
constexpr char kUserProgramKey[] = "appli";
constexpr char kProgramPathKey[] = "path";
constexpr char kErrorPolicyKey[] = "error";
constexpr char kUtf8FilesKey[] = "utf8";
constexpr char kNoPauseKey[] = "nPause";  // 1: no pause after each entry of a search

// [type]: every file, or the enabled extension groups 1 to 11.
constexpr char kTypeSection[] = "type";
constexpr char kAllTypesKey[] = "all_type";
// The extensions of group `group` ("t1" ... "t11") and whether it is enabled ("v1" ... "v11").
inline std::string ExtensionGroupKey(int group) { return "t" + std::to_string(group); }
inline std::string GroupEnabledKey(int group) { return "v" + std::to_string(group); }
// Folder names the search never enters: patterns separated by ';'; missing or empty: none.
constexpr char kExcludeFoldersKey[] = "exclude";

// [preview]: the preview of hit lines and the editor a preview line opens.
constexpr char kPreviewSection[] = "preview";
constexpr char kEditorPathKey[] = "editor";
constexpr char kEditorArgumentsKey[] = "arguments";
constexpr char kContextLinesKey[] = "context";
constexpr char kHidePreviewKey[] = "hide";

// The two input histories, twenty slots each.
constexpr char kPathHistory[] = "path_history";
constexpr char kWordHistory[] = "word_history";
// Slot `slot` of a history ("h0" ... "h19").
inline std::string HistorySlotKey(int slot) { return "h" + std::to_string(slot); }

}  // namespace quelbrix
