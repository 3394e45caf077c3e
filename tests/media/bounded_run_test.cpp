#include "media/bounded_run.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/test_support.h"
#include "text/fileutil.h"

namespace vellumine::media {
namespace {

// Small limits, so that the cases which run into them end soon.
RunLimits testLimits() {
  RunLimits limits;
  limits.memoryBytes = 64u << 20;
  limits.cpuSeconds = 1;
  limits.wallTime = std::chrono::milliseconds(3000);
  limits.fileBytes = 1u << 20;
  return limits;
}

volatile bool keepGoing = true;  // keeps the compiler from proving the loops endless

struct RunCase {
  const char* name;
  std::function<bool()> work;
  std::set<RunOutcome> outcomes;  // any of these
};

// One table for the rule: whatever the work does, the caller gets an outcome back.
std::vector<RunCase> runCases(const std::filesystem::path& folder) {
  return {
      {"succeeds", [] { return true; }, {RunOutcome::succeeded}},
      {"fails", [] { return false; }, {RunOutcome::failed}},
      {"throws", []() -> bool { throw std::runtime_error("x"); }, {RunOutcome::failed}},
      {"aborts", []() -> bool { std::abort(); }, {RunOutcome::killed}},
      {"spins", [] {
         unsigned long n = 0;
         while (keepGoing) ++n;
         return n == 0;
       }, {RunOutcome::killed, RunOutcome::timedOut}},
      {"sleeps", [] {
         while (keepGoing) ::pause();
         return true;
       }, {RunOutcome::timedOut}},
      {"takes too much memory", [] {
         std::vector<std::string> blocks;
         for (int i = 0; i < 64 && keepGoing; ++i) blocks.emplace_back(std::size_t(16) << 20, 'x');
         return blocks.size() == 64;  // all of it: the limit did not hold
       }, {RunOutcome::failed, RunOutcome::killed}},
      {"writes too large a file", [folder] {
         WriteTextFile(folder / "big", std::string(std::size_t(4) << 20, 'x'));
         return true;
       }, {RunOutcome::failed, RunOutcome::killed}},
      {"prints", [] { return ::write(STDOUT_FILENO, "noise\n", 6) == 6 && ::write(STDERR_FILENO, "noise\n", 6) == 6; },
       {RunOutcome::succeeded}},
  };
}

TEST(BoundedRun, EveryWayTheWorkCanEndIsAnOutcome) {
  test::TempDir folder;
  for (const RunCase& c : runCases(folder.path())) {
    const RunOutcome outcome = runBounded(c.work, testLimits());
    EXPECT_TRUE(c.outcomes.count(outcome)) << c.name << ": outcome " << static_cast<int>(outcome);
  }
}

TEST(BoundedRun, WorkHandsItsResultOverInAFile) {
  test::TempDir folder;
  const std::filesystem::path result = folder.path() / "result";
  EXPECT_EQ(runBounded([&] {
              WriteTextFile(result, "made in the child");
              return true;
            }, testLimits()),
            RunOutcome::succeeded);
  EXPECT_EQ(ReadWholeFile(result), "made in the child");
}

}  // namespace
}  // namespace vellumine::media
