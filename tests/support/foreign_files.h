// Files that are no Word package, one of each kind the sniffer tells apart, with the message a
// user reads for it spelled out.  The sniffer's, the load's, the command line's and the window's
// tests all run this one table.
#pragma once
#include <string>
#include <vector>

namespace vellumine::test {

struct ForeignFile {
  std::string name;  // a test name, and the file's name before ".docx"
  std::string bytes;
  std::string message;
};

std::vector<ForeignFile> foreignFiles();

}  // namespace vellumine::test
