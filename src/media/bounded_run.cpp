// fork, setrlimit in the child, waitpid with a growing pause in the parent.  The address-space
// limit counts from the child's size at fork: the viewer's process maps gigabytes (the browser
// engine, the sanitizers' shadow memory) before any picture is converted.
#include "media/bounded_run.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace vellumine::media {

namespace {

// The child's mapped size in bytes, from /proc/self/statm (its first field, in pages); 0 when unknown.
std::uint64_t mappedBytes() {
  const int fd = ::open("/proc/self/statm", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 0;
  char text[64] = {};
  const ssize_t read = ::read(fd, text, sizeof text - 1);
  ::close(fd);
  if (read <= 0) return 0;
  std::uint64_t pages = 0;
  for (const char* c = text; *c >= '0' && *c <= '9'; ++c) pages = pages * 10 + static_cast<std::uint64_t>(*c - '0');
  return pages * static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
}

void limit(int resource, rlim_t soft, rlim_t hard) {
  const rlimit value{soft, hard};
  ::setrlimit(resource, &value);
}

void quietStandardStreams() {
  const int null = ::open("/dev/null", O_RDWR | O_CLOEXEC);
  if (null < 0) return;
  for (int fd = 0; fd <= 2; ++fd) ::dup2(null, fd);
  ::close(null);
}

[[noreturn]] void runChild(const std::function<bool()>& work, const RunLimits& limits) {
  quietStandardStreams();
  limit(RLIMIT_CORE, 0, 0);
  limit(RLIMIT_CPU, limits.cpuSeconds, limits.cpuSeconds + 1);
  limit(RLIMIT_FSIZE, limits.fileBytes, limits.fileBytes);
  if (const std::uint64_t mapped = mappedBytes(); mapped > 0) limit(RLIMIT_AS, mapped + limits.memoryBytes, mapped + limits.memoryBytes);
  bool done = false;
  try {
    done = work();
  } catch (...) {
    done = false;
  }
  ::_exit(done ? 0 : 1);
}

RunOutcome outcomeOf(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status) == 0 ? RunOutcome::succeeded : RunOutcome::failed;
  return RunOutcome::killed;
}

void pause(std::chrono::milliseconds time) {
  const timespec wait{static_cast<time_t>(time.count() / 1000), static_cast<long>(time.count() % 1000) * 1'000'000};
  ::nanosleep(&wait, nullptr);
}

// Waits for the child, killing it when the wall-clock time runs out.
RunOutcome awaitChild(pid_t child, std::chrono::milliseconds wallTime) {
  const auto deadline = std::chrono::steady_clock::now() + wallTime;
  std::chrono::milliseconds step{1};
  for (;;) {
    int status = 0;
    const pid_t ended = ::waitpid(child, &status, WNOHANG);
    if (ended == child) return outcomeOf(status);
    if (ended < 0 && errno != EINTR) return RunOutcome::failed;  // not ours to wait for any more
    if (std::chrono::steady_clock::now() >= deadline) break;
    pause(step);
    step = std::min(step * 2, std::chrono::milliseconds(20));
  }
  ::kill(child, SIGKILL);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return RunOutcome::timedOut;
}

}  // namespace

RunOutcome runBounded(const std::function<bool()>& work, const RunLimits& limits) {
  const pid_t child = ::fork();
  if (child < 0) return RunOutcome::notStarted;
  if (child == 0) runChild(work, limits);
  return awaitChild(child, limits.wallTime);
}

}  // namespace vellumine::media
