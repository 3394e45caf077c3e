// The one gate every entry name passes before anything is written: it decides where below the
// destination folder an entry goes, or that it goes nowhere.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace vellumine {

// The entry name as a relative path with "/" separators, or nullopt when it must not be written.
//  - "\" is a separator like "/";
//  - a leading drive ("C:") and leading separators are dropped, so absolute names land below the
//    destination (\abs\x.xml -> abs/x.xml, C:\x.xml -> x.xml);
//  - empty and "." segments are dropped, except that a name ending in "." is rejected;
//  - a ".." segment or a NUL byte rejects the whole name.
// An empty result names the destination folder itself.
std::optional<std::string> SafeEntryPath(std::string_view name);

}  // namespace vellumine
