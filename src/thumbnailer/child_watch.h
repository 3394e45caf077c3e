// Work run in a forked child under limits the parent enforces: the child's own resource limits,
// and a parent that kills the child's whole process group when the time runs out, when the group
// holds too much memory, or when the parent itself is told to stop.  The parent's files (the work
// folder) are the parent's to remove, whatever became of the child.
//
// Contract: call from a process with one thread (no Qt started, no std::thread), since the child
// is a fork of it; the work runs in the child and its result is the child's exit status (work
// that throws exits 1).  The child ends with _exit: nothing of the parent's is destroyed there.
#pragma once
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>

namespace vellumine {

struct ChildLimits {
  std::chrono::steady_clock::time_point deadline;
  // RLIMIT_AS, counted from what the child has mapped when it starts (the program's own libraries
  // included), so that it bounds what the work allocates.  0: none.
  std::uint64_t addedAddressSpace = 0;
  std::uint64_t dataBytes = 0;       // RLIMIT_DATA: private writable memory of each process; 0: none
  std::uint64_t fileBytes = 0;       // RLIMIT_FSIZE: the largest file the work may write; 0: none
  std::uint64_t residentBytes = 0;   // the resident memory of the whole group, watched; 0: none
};

enum class ChildEnd {
  exited,       // status holds the exit status
  signalled,    // the child died of a signal (a resource limit, a crash); status holds it
  timedOut,     // killed at the deadline
  overMemory,   // killed: the group held more than residentBytes
  interrupted,  // killed: the parent was told to stop (SIGTERM, SIGINT, SIGHUP)
  notStarted,   // fork failed
};

struct ChildOutcome {
  ChildEnd end = ChildEnd::notStarted;
  int status = -1;
  bool succeeded(int expected = 0) const { return end == ChildEnd::exited && status == expected; }
};

// From now on SIGTERM, SIGINT and SIGHUP do not end the program: they end the child runInChild
// waits for, and the runs that follow are refused (interrupted), so the caller cleans up.
void stopOnTerminationSignals();

ChildOutcome runInChild(const std::function<int()>& work, const ChildLimits& limits);

}  // namespace vellumine
