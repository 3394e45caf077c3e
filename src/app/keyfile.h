// Reading and changing one value in the text of a desktop key file (desktop entries, mimeapps.list):
// "[Group]" header lines, "key=value" lines, "#" comments.  Only the line of the changed key is
// rewritten; every other byte of the text stays as it was.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace vellumine {

// The value of key in the first group named group, blanks around it removed; nullopt when the
// group or the key is missing.  Keys compare exactly, blanks around the key ignored.
std::optional<std::string> keyFileValue(std::string_view text, std::string_view group, std::string_view key);

// text with key set to value in the first group named group: the key's first line there is
// replaced (its line ending kept), a missing key is added right below the group's header, and a
// missing group is appended at the end with the key.  value is written as given (escape it first).
std::string setKeyFileValue(std::string_view text, std::string_view group, std::string_view key,
                            std::string_view value);

}  // namespace vellumine
