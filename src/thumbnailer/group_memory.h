// The memory a process group holds, as the kernel counts it: what a watchdog without a control
// group can see of a browser engine that spreads itself over several processes.
#pragma once
#include <sys/types.h>

#include <cstdint>
#include <filesystem>

namespace vellumine {

// The resident bytes (RSS: anonymous, file and shared pages in memory) of every process in the
// group, summed from procRoot/<pid>/stat and statm.  Pages two processes share count twice, so the
// figure errs on the high side.  0 when no process of the group is found.
std::uint64_t groupResidentBytes(pid_t group, const std::filesystem::path& procRoot = "/proc");

}  // namespace vellumine
