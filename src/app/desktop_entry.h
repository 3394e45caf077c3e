// The desktop entries the viewer writes: the one that registers it as a handler of .docx files and
// the launcher placed on the desktop or in the applications menu, with the executable's path
// quoted so that blanks, quotes, "$", "%" and backslashes in it survive the desktop's parsing.
#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace vellumine {

inline constexpr std::string_view kDocxMimeType =
    "application/vnd.openxmlformats-officedocument.wordprocessingml.document";

// A value of type string as a key file stores it: backslash, newline, tab and carriage return
// escaped, a leading blank written as \s.
std::string escapeDesktopString(std::string_view value);

// One argument of an Exec value before the string escaping: enclosed in double quotes, with '"',
// '`', '$' and '\' preceded by a backslash and '%' doubled.
std::string quoteExecArgument(std::string_view argument);

// The Exec value as stored in the file: the quoted executable path, then " %f" when the entry
// opens a document.
std::string execValue(const std::filesystem::path& executable, bool opensDocument);

// The handler entry (vellumine.desktop): opens a .docx given as its argument, lists the .docx type,
// and stays out of the applications menu, where the launcher belongs.  An empty icon path leaves
// the icon to the desktop.
std::string associationEntry(const std::filesystem::path& executable, const std::filesystem::path& icon = {});

// The launcher entry (Vellumine.desktop): starts the viewer in the executable's folder.
std::string launcherEntry(const std::filesystem::path& executable, const std::filesystem::path& icon = {});

}  // namespace vellumine
