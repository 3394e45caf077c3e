// The thumbnail file written whole or not at all: a file manager that looks at the output path
// while the program runs, or after it was killed, never finds half a PNG there.
#pragma once
#include <filesystem>
#include <string_view>

namespace vellumine {

// Writes bytes to a new private file beside target (".NAME.XXXXXX", owner read and write, as
// thumbnail caches keep their files) and renames it over target.  On any failure the temporary
// file is removed, target is left as it was, and std::runtime_error says what failed.
void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

}  // namespace vellumine
