// Entry names written by DOS-era tools are in the OEM code page (CP437); paths here are UTF-8.
#pragma once
#include <string>
#include <string_view>

namespace vellumine {

// Bytes 0-127 stay as they are; 128-255 become the UTF-8 form of their CP437 character.
std::string OemToUtf8(std::string_view name);

}  // namespace vellumine
