// Runs a fuzz target's entry point on saved inputs without libFuzzer, so any compiler can replay
// the seeds in fuzz/seeds/ and the findings kept in fuzz/regress/.  Arguments: files, or folders
// whose files are all replayed (a missing folder holds none).  Replaying nothing is a failure: a
// moved or misspelt folder must not pass as a clean run.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

int replayFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  int replayed = 0;
  for (int i = 1; i < argc; ++i) {
    std::filesystem::path arg = argv[i];
    std::error_code ec;
    if (std::filesystem::is_directory(arg, ec)) {
      for (const auto& entry : std::filesystem::directory_iterator(arg, ec)) {
        if (entry.is_regular_file()) replayed += replayFile(entry.path());
      }
    } else if (std::filesystem::is_regular_file(arg, ec)) {
      replayed += replayFile(arg);
    }
  }
  std::printf("replayed %d inputs\n", replayed);
  if (replayed == 0) {
    std::fputs("no input replayed: check the folders given\n", stderr);
    return 1;
  }
  return 0;
}
