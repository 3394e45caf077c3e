// The installed thumbnailer's way of running: the program built, run as a file manager runs it,
// with its exit status and what it said on standard error.
#pragma once
#include <string>
#include <vector>

namespace vellumine::test {

struct ThumbnailerRun {
  int status = -1;     // the exit status; -1 when it did not exit normally
  std::string errors;  // standard output and standard error together
};

// Runs $VELLUMINE_THUMBNAILER with arguments (each quoted), with the extra environment
// assignments ("NAME=value") before it.  The time limit is a minute unless environment sets it:
// the machine running the tests is shared, and the 2 s bound is the benchmark's to measure.
ThumbnailerRun runThumbnailer(const std::vector<std::string>& arguments, const std::vector<std::string>& environment = {});

}  // namespace vellumine::test
