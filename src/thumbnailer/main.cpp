// vellumine-thumbnailer: the thumbnail of a .docx for a file manager.  The document's own stored
// picture when it has one, else the top of its first page drawn by the browser engine.  The work
// runs in children the parent bounds in time and memory; the parent alone makes and removes the
// work folder and writes the output, whole or not at all.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/temp_package_folder.h"
#include "app/version.h"
#include "text/fileutil.h"
#include "thumbnailer/atomic_output.h"
#include "thumbnailer/child_watch.h"
#include "thumbnailer/document_reading.h"
#include "thumbnailer/drawing_stage.h"
#include "thumbnailer/stored_thumbnail.h"
#include "thumbnailer/thumbnail_arguments.h"
#include "thumbnailer/thumbnail_limits.h"
#include "thumbnailer/work_folder.h"

namespace fs = std::filesystem;
using namespace vellumine;
using Clock = std::chrono::steady_clock;

namespace {

constexpr std::string_view kProgram = "vellumine-thumbnailer";

constexpr std::string_view kHelp =
    "Usage: vellumine-thumbnailer -s SIZE INPUT OUTPUT.png\n"
    "\n"
    "Writes a PNG thumbnail of the Word document INPUT to OUTPUT, at most SIZE pixels wide and\n"
    "high (16 to 1024): the document's own stored thumbnail when it has one (never enlarged),\n"
    "else the top of its first page. Each document may take 2 s and 300 MiB; nothing is\n"
    "fetched from the network. OUTPUT is written whole or not at all.\n"
    "\n"
    "Options:\n"
    "  -s SIZE    the largest side of the thumbnail in pixels\n"
    "  --help     show this text\n"
    "  --version  show the program's name and version\n"
    "\n"
    "Exit status: 0 the thumbnail is written, 1 no thumbnail (a foreign, damaged or missing\n"
    "document, or one over the limits), 2 a usage error.\n";

// What the time left must keep back for the parent's own work after the drawing child.
constexpr std::chrono::milliseconds kWritingReserve{50};

void printFailure(const fs::path& input, std::string_view text) {
  std::cerr << kProgram << ": " << input.string() << ": " << text << '\n';
}

// The child's work, its failure said under the input's name as the parent says its own.
int reportingFailure(const fs::path& input, const std::function<int()>& work) {
  try {
    return work();
  } catch (const std::exception& e) {
    printFailure(input, e.what());
    return 1;
  }
}

std::string failureText(const ChildOutcome& outcome, std::chrono::milliseconds limit) {
  switch (outcome.end) {
    case ChildEnd::timedOut:
      return "gave up after " + std::to_string(limit.count()) + " ms";
    case ChildEnd::overMemory:
      return "gave up: more than 300 MiB of memory needed";
    case ChildEnd::interrupted:
      return "stopped";
    case ChildEnd::notStarted:
      return "cannot start a process";
    case ChildEnd::signalled:
      return "the document could not be read within the limits (signal " + std::to_string(outcome.status) + ")";
    case ChildEnd::exited:
      break;
  }
  return {};  // the child has said why on standard error
}

// The reading child, then the drawing child when the document has no stored thumbnail.
ChildOutcome makeThumbnail(const ThumbnailArguments& arguments, const WorkFolder& work, Clock::time_point deadline) {
  ChildLimits reading;
  reading.deadline = deadline;
  reading.addedAddressSpace = kThumbnailMemoryLimit;
  reading.fileBytes = kThumbnailMemoryLimit;
  reading.residentBytes = kThumbnailMemoryLimit;
  const ChildOutcome read = runInChild(
      [&] {
        return reportingFailure(arguments.input,
                                [&] { return readDocumentForThumbnail(arguments.input, work, arguments.size); });
      },
      reading);
  if (!read.succeeded(kPageToDraw)) return read;
  // The engine reserves far more address space than it uses, so RLIMIT_AS cannot bound it: its one
  // process gets RLIMIT_DATA, and the group's resident memory is watched.
  ChildLimits drawing;
  drawing.deadline = deadline;
  drawing.dataBytes = kThumbnailMemoryLimit;
  drawing.fileBytes = kThumbnailMemoryLimit;
  drawing.residentBytes = kThumbnailMemoryLimit;
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()) - kWritingReserve;
  return runInChild(
      [&] { return reportingFailure(arguments.input, [&] { return drawThumbnailStage(work, arguments.size, left); }); },
      drawing);
}

int run(const ThumbnailArguments& arguments, Clock::time_point start) {
  std::error_code ec;
  if (!fs::is_regular_file(arguments.input, ec)) {
    printFailure(arguments.input, "File not found.");
    return 1;
  }
  const std::chrono::milliseconds limit = thumbnailTimeLimit(std::getenv(kTimeLimitVariable));
  stopOnTerminationSignals();
  const TemporaryPackageFolder folder(kMaximumUnpackedBytes, kProgram);  // removed on every return
  const WorkFolder work{folder.path()};
  const ChildOutcome outcome = makeThumbnail(arguments, work, start + limit);
  if (!outcome.succeeded()) {
    if (const std::string text = failureText(outcome, limit); !text.empty()) printFailure(arguments.input, text);
    return 1;
  }
  const std::string png = ReadWholeFile(work.thumbnail());
  if (rasterTypeOf(png) != RasterType::png) {
    printFailure(arguments.input, "no thumbnail was made");
    return 1;
  }
  writeFileAtomically(arguments.output, png);
  return 0;
}

bool answerInformationOption(const std::vector<std::string>& arguments) {
  for (const std::string& arg : arguments) {
    if (arg == "--help") {
      std::cout << kHelp;
      return true;
    }
    if (arg == "--version") {
      std::cout << kProgram << ' ' << kProductVersion << '\n';
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const Clock::time_point start = Clock::now();
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (answerInformationOption(arguments)) return 0;
  ThumbnailArguments parsed;
  try {
    parsed = parseThumbnailArguments(arguments);
  } catch (const ThumbnailUsageError& e) {
    std::cerr << kProgram << ": " << e.what() << "\nTry 'vellumine-thumbnailer --help'.\n";
    return 2;
  }
  try {
    return run(parsed, start);
  } catch (const std::exception& e) {
    printFailure(parsed.input, e.what());
    return 1;
  }
}
