#include "app/spooled_input.h"

#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "support/test_support.h"
#include "text/fileutil.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;

// A pipe whose far end a thread fills with bytes and closes, as a shell pipeline would.
class FilledPipe {
 public:
  explicit FilledPipe(std::string bytes) {
    if (::pipe(fds_) != 0) throw std::runtime_error("pipe");
    writer_ = std::thread([this, bytes = std::move(bytes)] {
      std::size_t done = 0;
      while (done < bytes.size()) {
        const ssize_t n = ::write(fds_[1], bytes.data() + done, bytes.size() - done);
        if (n <= 0) break;  // the reader stopped early
        done += static_cast<std::size_t>(n);
      }
      ::close(fds_[1]);
    });
  }
  ~FilledPipe() {
    ::close(fds_[0]);  // lets a writer blocked on a full pipe finish
    writer_.join();
  }
  int readEnd() const { return fds_[0]; }

 private:
  int fds_[2] = {-1, -1};
  std::thread writer_;
};

// The spool folders go below a folder of the test's own, so what is left behind can be seen.
class SpooledInputTest : public testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("TMPDIR");
    if (old != nullptr) oldTmpdir_ = old;
    ::setenv("TMPDIR", root_.path().c_str(), 1);
  }
  void TearDown() override {
    if (oldTmpdir_.empty()) ::unsetenv("TMPDIR"); else ::setenv("TMPDIR", oldTmpdir_.c_str(), 1);
  }
  bool rootIsEmpty() const { return fs::is_empty(root_.path()); }

  test::TempDir root_;
  std::string oldTmpdir_;
};

TEST_F(SpooledInputTest, KeepsEveryByteInAPrivateFileGoneAfterwards) {
  std::string bytes;
  for (int i = 0; i < 200000; ++i) bytes += static_cast<char>(i * 7);  // several blocks, every byte value
  FilledPipe pipe(bytes);
  {
    const SpooledInput spooled(pipe.readEnd());
    EXPECT_EQ(spooled.path().filename(), "input.docx");
    EXPECT_EQ(ReadWholeFile(spooled.path()), bytes);
    EXPECT_EQ(fs::status(spooled.path()).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
  }
  EXPECT_TRUE(rootIsEmpty());
}

TEST_F(SpooledInputTest, LongerStreamIsRefusedAndLeavesNothing) {
  FilledPipe pipe(std::string(5000, 'x'));
  try {
    SpooledInput spooled(pipe.readEnd(), 1000);
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "standard input holds more than 1000 bytes, the most a document may unpack to");
  }
  EXPECT_TRUE(rootIsEmpty());
}

}  // namespace
}  // namespace vellumine
