// The window place file ($XDG_STATE_HOME/vellumine/window.ini): the main window's normal
// geometry and whether it was maximised or full screen, as a small key file the user may read.
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "app/window_place.h"

namespace vellumine {

// The file's text: a [Window] group with x, y, width, height, maximised and fullScreen.
std::string windowPlaceText(const WindowPlace& place);

// The place a file's text holds; nullopt when a key is missing or its value is not a number (or
// "true"/"false") in range, so a damaged file counts as no file at all.
std::optional<WindowPlace> parseWindowPlace(std::string_view text);

// The place saved in file; nullopt when it is missing, unreadable or damaged.  Never throws.
std::optional<WindowPlace> readWindowPlace(const std::filesystem::path& file);

// Replaces file in one step (ReplaceFileContents), creating its folders; throws EInOutError.
void writeWindowPlace(const std::filesystem::path& file, const WindowPlace& place);

}  // namespace vellumine
