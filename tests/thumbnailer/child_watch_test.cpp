#include "thumbnailer/child_watch.h"

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "support/test_support.h"
#include "text/fileutil.h"

namespace vellumine {
namespace {

using namespace std::chrono_literals;
constexpr std::uint64_t kMiB = 1024 * 1024;

ChildLimits within(std::chrono::milliseconds time) {
  ChildLimits limits;
  limits.deadline = std::chrono::steady_clock::now() + time;
  return limits;
}

// Memory the child really touches, so that it is resident and not only reserved.
int touch(std::uint64_t bytes) {
  char* block = static_cast<char*>(std::malloc(bytes));
  if (block == nullptr) return 3;
  std::memset(block, 1, bytes);
  std::this_thread::sleep_for(30s);
  return block[bytes - 1];
}

struct Row {
  const char* name;
  std::function<int()> work;
  std::function<ChildLimits()> limits;
  ChildEnd end;
  int status;  // for exited
};

TEST(RunInChild, EachWayAChildEnds) {
  const std::vector<Row> rows = {
      {"ExitStatusPasses", [] { return 7; }, [] { return within(30s); }, ChildEnd::exited, 7},
      {"ThrowingWorkExitsOne", []() -> int { throw std::runtime_error("no"); }, [] { return within(30s); },
       ChildEnd::exited, 1},
      {"PastTheDeadlineIsKilled", [] { std::this_thread::sleep_for(30s); return 0; }, [] { return within(100ms); },
       ChildEnd::timedOut, -1},
      {"AddressSpaceBeyondTheLimitIsRefused",
       []() -> int {
         std::vector<char> block(512 * kMiB);  // throws std::bad_alloc under the limit
         return block[0];
       },
       [] {
         ChildLimits limits = within(30s);
         limits.addedAddressSpace = 64 * kMiB;
         return limits;
       },
       ChildEnd::exited, 1},
      {"ResidentMemoryOverTheWatchIsKilled", [] { return touch(200 * kMiB); },
       [] {
         ChildLimits limits = within(30s);
         limits.residentBytes = 50 * kMiB;
         return limits;
       },
       ChildEnd::overMemory, -1},
      {"CrashIsASignal", []() -> int { ::raise(SIGSEGV); return 0; }, [] { return within(30s); }, ChildEnd::signalled,
       SIGSEGV},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const ChildOutcome outcome = runInChild(row.work, row.limits());
    EXPECT_EQ(outcome.end, row.end);
    EXPECT_EQ(outcome.status, row.status);
  }
}

bool isGoneOrZombie(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return true;
  const std::size_t close = line.rfind(')');
  return close != std::string::npos && line.size() > close + 2 && line[close + 2] == 'Z';
}

// A grandchild left running (as a browser's helper would be) ends with the child, whether the
// child exits or is killed.
TEST(RunInChild, WhatTheChildStartedEndsWithIt) {
  for (const bool killed : {false, true}) {
    SCOPED_TRACE(killed ? "killed" : "exited");
    test::TempDir folder;
    const auto pidFile = folder.path() / "grandchild";
    const ChildOutcome outcome = runInChild(
        [&] {
          const pid_t grandchild = ::fork();
          if (grandchild == 0) {
            ::sleep(60);
            ::_exit(0);
          }
          WriteTextFile(pidFile, std::to_string(grandchild));
          if (killed) std::this_thread::sleep_for(30s);
          return 0;
        },
        within(killed ? 300ms : 30s));
    EXPECT_EQ(outcome.end, killed ? ChildEnd::timedOut : ChildEnd::exited);
    const pid_t grandchild = std::stoi(ReadWholeFile(pidFile));
    for (int wait = 0; wait < 100 && !isGoneOrZombie(grandchild); ++wait) std::this_thread::sleep_for(20ms);
    EXPECT_TRUE(isGoneOrZombie(grandchild));
  }
}

// A stop asked of the parent (SIGTERM from a file manager giving up) ends the running child and
// refuses the next.  Run in a process of its own, as the stop stays asked for.
TEST(RunInChild, TerminationSignalStopsTheChildAndTheRunsAfterIt) {
  EXPECT_EXIT(
      {
        stopOnTerminationSignals();
        const ChildOutcome stopped = runInChild(
            [] {
              ::kill(::getppid(), SIGTERM);
              std::this_thread::sleep_for(30s);
              return 0;
            },
            within(60s));
        const ChildOutcome next = runInChild([] { return 0; }, within(60s));
        std::_Exit(stopped.end == ChildEnd::interrupted && next.end == ChildEnd::interrupted ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace vellumine
