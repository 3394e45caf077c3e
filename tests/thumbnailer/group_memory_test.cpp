#include "thumbnailer/group_memory.h"

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "support/test_support.h"
#include "text/fileutil.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;

// A /proc of made-up processes: name (as the kernel writes it, parentheses and all), group and
// resident pages.
void addProcess(const fs::path& proc, const std::string& pid, const std::string& name, int group, int resident) {
  fs::create_directories(proc / pid);
  WriteTextFile(proc / pid / "stat", pid + " (" + name + ") S 1 " + std::to_string(group) + " 7 0 -1 4194560\n");
  WriteTextFile(proc / pid / "statm", "9000 " + std::to_string(resident) + " 100 1 0 200 0\n");
}

TEST(GroupResidentBytes, SumsTheGroupsProcessesOnly) {
  test::TempDir proc;
  addProcess(proc.path(), "100", "vellumine-thumb", 100, 10);
  addProcess(proc.path(), "101", "Chrome_ChildIOT", 100, 20);
  addProcess(proc.path(), "102", "odd) 5 (name", 100, 30);  // the name cannot fool the group field
  addProcess(proc.path(), "200", "other", 200, 1000);
  addProcess(proc.path(), "300", "leader 100", 5, 1000);
  fs::create_directories(proc.path() / "self");  // not a process number
  fs::create_directories(proc.path() / "400");   // ended before it was read: no stat
  const std::uint64_t page = static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
  struct Row {
    pid_t group;
    std::uint64_t pages;
  };
  const Row rows[] = {{100, 60}, {200, 1000}, {5, 1000}, {999, 0}};
  for (const Row& row : rows) EXPECT_EQ(groupResidentBytes(row.group, proc.path()), row.pages * page) << row.group;
}

TEST(GroupResidentBytes, OwnGroupOnTheRealProcHoldsThisProcess) {
  EXPECT_GT(groupResidentBytes(::getpgrp()), 0u);
}

}  // namespace
}  // namespace vellumine
