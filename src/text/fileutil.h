// Whole files in and out: package parts read as unchanged bytes, texts written as they are, the
// media folder copied when a page is saved, and the size text of the status bar.  Reading never
// throws; writing and copying throw EInOutError naming the path.
#pragma once
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vellumine {

// A file that cannot be created, written or copied.
class EInOutError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Every byte of the file; empty when missing or empty; "R" when it exists but cannot be read.
std::string ReadWholeFile(const std::filesystem::path& path);
void WriteTextFile(const std::filesystem::path& path, std::string_view text);  // throws EInOutError
std::int64_t FileSizeOf(const std::filesystem::path& path);
std::vector<std::string> ListFolder(const std::filesystem::path& folder);  // "." and ".." included
void CopyFile(const std::filesystem::path& source, const std::filesystem::path& target);
int CopyFolderFiles(const std::filesystem::path& source, const std::filesystem::path& target);

std::string SizeText(std::int64_t bytes);  // "0 KB", "1 KB", ...

}  // namespace vellumine
