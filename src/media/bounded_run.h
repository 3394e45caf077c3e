// Running untrusted work (a picture library reading a document's bytes) in a child process that
// cannot take more than its share: address space, processor time, wall-clock time and the size
// of any file it writes are capped, and a crash ends the child, not the program.
#pragma once
#include <chrono>
#include <cstdint>
#include <functional>

namespace vellumine::media {

struct RunLimits {
  std::uint64_t memoryBytes = 256u << 20;       // address space the child may add to what it inherits
  unsigned cpuSeconds = 2;                      // processor time, then SIGXCPU / SIGKILL
  std::chrono::milliseconds wallTime{4000};     // then the parent kills it (a child blocked on a lock)
  std::uint64_t fileBytes = 64u << 20;          // the largest file it may write, then SIGXFSZ
};

enum class RunOutcome {
  succeeded,   // work returned true
  failed,      // work returned false or threw
  killed,      // a signal ended it: a crash, or a limit of memory, time or file size
  timedOut,    // the wall-clock time ran out and the parent killed it
  notStarted,  // fork failed
};

// Runs work in a forked child and waits for it.  The child inherits the caller's memory (work may
// read what the caller holds), has its standard streams on /dev/null and leaves with _exit, so
// nothing of the caller's (buffered output, atexit handlers) runs twice.  What work writes to
// memory is lost; it hands its result over in a file (an inherited descriptor).  Safe to call
// from several threads at once.
RunOutcome runBounded(const std::function<bool()>& work, const RunLimits& limits = {});

}  // namespace vellumine::media
