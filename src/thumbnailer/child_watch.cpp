#include "thumbnailer/child_watch.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>
#include <thread>

#include "thumbnailer/group_memory.h"

namespace vellumine {

namespace {

constexpr std::chrono::milliseconds kPollInterval{10};
constexpr int kPollsPerMemoryLook = 5;  // /proc is read every 50 ms, the child reaped every 10 ms

volatile sig_atomic_t stopRequested = 0;

void requestStop(int) { stopRequested = 1; }

void setLimit(int resource, std::uint64_t bytes) {
  if (bytes == 0) return;
  const rlimit limit{static_cast<rlim_t>(bytes), static_cast<rlim_t>(bytes)};
  ::setrlimit(resource, &limit);
}

// The address space the process has mapped now, from /proc/self/status (VmSize, in kB).
std::uint64_t mappedBytes() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmSize:") {
      std::uint64_t kilobytes = 0;
      status >> kilobytes;
      return kilobytes * 1024;
    }
    status.ignore(4096, '\n');
  }
  return 0;
}

// The child's side: its own group (so that one kill reaches whatever it starts), death with the
// parent, the limits, then the work.
[[noreturn]] void runChild(const std::function<int()>& work, const ChildLimits& limits, pid_t parent) {
  ::setpgid(0, 0);
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (::getppid() != parent) ::_exit(1);  // the parent is already gone
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) ::signal(signal, SIG_DFL);
  if (limits.addedAddressSpace != 0) setLimit(RLIMIT_AS, mappedBytes() + limits.addedAddressSpace);
  setLimit(RLIMIT_DATA, limits.dataBytes);
  setLimit(RLIMIT_FSIZE, limits.fileBytes);
  const rlimit noCore{0, 0};
  ::setrlimit(RLIMIT_CORE, &noCore);  // a crash on a hostile document leaves no core file behind
  int status = 1;
  try {
    status = work();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
  } catch (...) {
  }
  std::fflush(stdout);
  std::fflush(stderr);
  ::_exit(status);
}

ChildOutcome killGroup(pid_t child, ChildEnd end) {
  ::kill(-child, SIGKILL);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return ChildOutcome{end, -1};
}

// The child has ended but is not reaped yet, so its group id cannot be taken by another process:
// whatever it left running in its group goes too, then the child is reaped.
ChildOutcome ended(pid_t child) {
  ::kill(-child, SIGKILL);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status)) return ChildOutcome{ChildEnd::exited, WEXITSTATUS(status)};
  return ChildOutcome{ChildEnd::signalled, WIFSIGNALED(status) ? WTERMSIG(status) : -1};
}

}  // namespace

void stopOnTerminationSignals() {
  struct sigaction action {};
  action.sa_handler = requestStop;
  sigemptyset(&action.sa_mask);
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(signal, &action, nullptr);
}

ChildOutcome runInChild(const std::function<int()>& work, const ChildLimits& limits) {
  if (stopRequested) return ChildOutcome{ChildEnd::interrupted, -1};
  const pid_t parent = ::getpid();
  const pid_t child = ::fork();
  if (child < 0) return ChildOutcome{ChildEnd::notStarted, -1};
  if (child == 0) runChild(work, limits, parent);
  ::setpgid(child, child);  // also here, so that a kill at once reaches the group
  for (int poll = 0;; ++poll) {
    siginfo_t info{};
    if (::waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == child) {
      return ended(child);
    }
    if (stopRequested) return killGroup(child, ChildEnd::interrupted);
    if (std::chrono::steady_clock::now() >= limits.deadline) return killGroup(child, ChildEnd::timedOut);
    if (limits.residentBytes != 0 && poll % kPollsPerMemoryLook == 0 &&
        groupResidentBytes(child) > limits.residentBytes) {
      return killGroup(child, ChildEnd::overMemory);
    }
    std::this_thread::sleep_for(kPollInterval);
  }
}

}  // namespace vellumine
