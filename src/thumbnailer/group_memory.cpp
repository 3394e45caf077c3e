#include "thumbnailer/group_memory.h"

#include <unistd.h>

#include <cctype>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

namespace vellumine {

namespace {

// The process group in a /proc/PID/stat line: the fifth field, counted after the command name,
// whose parentheses may hold blanks and parentheses of their own.
bool groupOf(const std::string& statLine, long& group) {
  const std::size_t close = statLine.rfind(')');
  if (close == std::string::npos) return false;
  std::istringstream fields(statLine.substr(close + 1));
  std::string state;
  long parent = 0;
  return static_cast<bool>(fields >> state >> parent >> group);
}

// The resident pages in a /proc/PID/statm line: its second field.
std::uint64_t residentPages(const std::filesystem::path& statm) {
  std::ifstream in(statm);
  std::uint64_t size = 0, resident = 0;
  if (!(in >> size >> resident)) return 0;
  return resident;
}

bool isProcessFolder(const std::string& name) {
  if (name.empty()) return false;
  for (const char ch : name) {
    if (!std::isdigit(static_cast<unsigned char>(ch))) return false;
  }
  return true;
}

}  // namespace

std::uint64_t groupResidentBytes(pid_t group, const std::filesystem::path& procRoot) {
  const std::uint64_t pageBytes = static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
  std::uint64_t pages = 0;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(procRoot, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (!isProcessFolder(name)) continue;
    std::ifstream stat(it->path() / "stat");
    std::string line;
    long processGroup = 0;
    // A process that ended between the listing and the read is simply not counted.
    if (!std::getline(stat, line) || !groupOf(line, processGroup) || processGroup != group) continue;
    pages += residentPages(it->path() / "statm");
  }
  return pages * pageBytes;
}

}  // namespace vellumine
