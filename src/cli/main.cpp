// vellumine-convert: the viewer's conversion without the window.  A .docx is unpacked into a
// private temporary package folder (or the folder --keep-package names), converted, and the framed
// page is written as the viewer writes word/doc.html, with the images in media/ beside it.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "app/savehtml.h"
#include "app/temp_package_folder.h"
#include "convert/ddocx.h"
#include "package/unzip_docx.h"
#include "text/heap_tuning.h"
#include "text/fileutil.h"
#include "text/strutil.h"

namespace fs = std::filesystem;
using namespace vellumine;

namespace {

constexpr std::string_view kProgram = "vellumine-convert";

constexpr std::string_view kHelp =
    "Usage: vellumine-convert INPUT -o OUTPUT.htm [options]\n"
    "       vellumine-convert INPUT... -d OUTDIR [-j N] [options]\n"
    "\n"
    "Converts Word documents to the HTML page the Vellumine viewer shows.\n"
    "INPUT is a .docx file or a folder holding an already extracted package.\n"
    "\n"
    "Options:\n"
    "  -o FILE              write the page to FILE; its images go to a media/ folder beside it.\n"
    "                       '-o -' writes the page to standard output (images are not copied).\n"
    "  -d OUTDIR            batch: for each INPUT write OUTDIR/NAME.htm, NAME being the document's\n"
    "                       file name without extension, and its images to OUTDIR/NAME_media/\n"
    "                       (the page refers to them there). OUTDIR is created when missing.\n"
    "  -j N                 batch: convert N documents at a time (default 1)\n"
    "  --keep-package DIR   unpack the .docx into DIR (created; must not exist or be empty) and\n"
    "                       leave it there for inspection, instead of a temporary folder\n"
    "  --no-optimize        skip the HTML clean-up of Word-flavoured markup\n"
    "  --body-only          the main text alone: no footnotes, endnotes, comments, headers or\n"
    "                       footers (by default the page shows the whole document)\n"
    "  --help               show this text\n"
    "\n"
    "Exit status: 0 success, 1 the document failed, 2 a usage error.\n";

struct CliOptions {
  std::vector<fs::path> inputs;
  std::string output;             // -o
  std::optional<fs::path> outDir;  // -d
  unsigned jobs = 1;
  std::optional<fs::path> keepPackage;
  ConversionSettings settings;
};

// Where one document's page and images go.
struct OutputTarget {
  std::string page;       // a file, or "-" for standard output
  fs::path mediaFolder;   // batch: where the images go
  std::string mediaLink;  // batch: the folder name the page uses for its images; empty: "media/"
};

// One line on standard error; batch workers share the stream.
void printError(const std::string& line) {
  static std::mutex lock;
  std::lock_guard<std::mutex> guard(lock);
  std::cerr << line << '\n';
}

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

unsigned parseJobs(const std::string& text) {
  unsigned jobs = 0;
  for (char ch : text) {
    if (ch < '0' || ch > '9' || jobs > 1000) throw UsageError("-j takes a number from 1 to 1000");
    jobs = jobs * 10 + static_cast<unsigned>(ch - '0');
  }
  if (jobs == 0 || jobs > 1000) throw UsageError("-j takes a number from 1 to 1000");
  return jobs;
}

CliOptions parseArguments(int argc, char** argv) {
  CliOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) throw UsageError(std::string(arg) + " needs a value");
      return argv[++i];
    };
    if (arg == "-o") {
      options.output = value();
    } else if (arg == "-d") {
      options.outDir = fs::path(value());
    } else if (arg == "-j") {
      options.jobs = parseJobs(value());
    } else if (arg == "--keep-package") {
      options.keepPackage = fs::path(value());
    } else if (arg == "--no-optimize") {
      options.settings.optimizeHtml = false;
    } else if (arg == "--body-only") {
      options.settings.includeStories = false;
    } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
      throw UsageError("unknown option " + std::string(arg));
    } else {
      options.inputs.emplace_back(std::string(arg));
    }
  }
  if (options.inputs.empty()) throw UsageError("no input given");
  if (!options.output.empty() && options.outDir) throw UsageError("-o and -d cannot be used together");
  if (options.outDir) {
    if (options.keepPackage) throw UsageError("--keep-package takes a single input with -o");
    return options;
  }
  if (options.output.empty()) throw UsageError("no output given (-o FILE, -o - or -d OUTDIR)");
  if (options.inputs.size() > 1) throw UsageError("several inputs need -d OUTDIR");
  return options;
}

// A folder that --keep-package may fill: new, or existing and empty.  Nothing of the user's is
// ever overwritten or deleted.
void prepareKeptPackageFolder(const fs::path& folder) {
  std::error_code ec;
  if (fs::exists(folder, ec)) {
    if (!fs::is_directory(folder, ec) || !fs::is_empty(folder, ec))
      throw std::runtime_error("the package folder " + folder.string() + " exists and is not empty");
    return;
  }
  if (!fs::create_directories(folder, ec) || ec)
    throw std::runtime_error("cannot create the package folder " + folder.string());
}

void writePage(const OutputTarget& target, const fs::path& packageFolder, std::string page) {
  const fs::path packageMedia = packageFolder / "word" / "media";
  if (target.page == "-") {
    std::fwrite(page.data(), 1, page.size(), stdout);
    std::fflush(stdout);
  } else if (target.mediaLink.empty()) {
    exportPage(std::move(page), packageMedia, target.page);  // what the viewer's Save As HTML writes
  } else {
    page = ReplaceAllText(page, "src=\"media/", "src=\"" + target.mediaLink + "/");
    WriteTextFile(target.page, page);
    CopyFolderFiles(packageMedia, target.mediaFolder);
  }
}

// Converts one document to its target.  Warnings go to standard error under the document's name.
void convertDocument(const fs::path& input, const OutputTarget& target, const CliOptions& options) {
  std::error_code ec;
  if (fs::is_directory(input, ec)) {
    writePage(target, input, convertPackageFolder(input, options.settings));
    return;
  }
  if (!fs::is_regular_file(input, ec)) throw std::runtime_error("File not found.");
  ExtractObserver observer;
  observer.warning = [&](std::string_view message, std::string_view caption) {
    printError(std::string(kProgram) + ": " + input.string() + ": warning: " + std::string(caption) + ": " +
               std::string(message));
  };
  std::optional<TemporaryPackageFolder> temporary;
  fs::path packageFolder;
  if (options.keepPackage) {
    prepareKeptPackageFolder(*options.keepPackage);
    packageFolder = *options.keepPackage;
  } else {
    temporary.emplace(declaredUnpackedSize(input));
    packageFolder = temporary->path();
  }
  extractPackage(input, packageFolder, observer);
  writePage(target, packageFolder, convertPackageFolder(packageFolder, options.settings));
}

OutputTarget singleTarget(const CliOptions& options) {
  return OutputTarget{options.output, {}, {}};
}

// One page name per input, named after the document; a name taken twice gets " (2)", " (3)"...
std::vector<OutputTarget> batchTargets(const CliOptions& options) {
  std::vector<OutputTarget> targets;
  std::map<std::string, int> seen;
  for (const fs::path& input : options.inputs) {
    std::string name = input.filename().empty() ? input.parent_path().stem().string() : input.stem().string();
    if (name.empty() || name == "." || name == "..") name = "document";
    if (const int n = ++seen[name]; n > 1) name += " (" + std::to_string(n) + ")";
    targets.push_back({(*options.outDir / (name + ".htm")).string(), *options.outDir / (name + "_media"),
                       name + "_media"});
  }
  return targets;
}

// Converts every input with -j worker threads; one failed document does not stop the others.
int convertBatch(const CliOptions& options) {
  std::error_code ec;
  fs::create_directories(*options.outDir, ec);
  if (!fs::is_directory(*options.outDir, ec)) {
    printError(std::string(kProgram) + ": cannot create the output folder " + options.outDir->string());
    return 1;
  }
  const std::vector<OutputTarget> targets = batchTargets(options);
  std::atomic<std::size_t> next{0};
  std::atomic<bool> anyFailed{false};
  auto worker = [&] {
    for (std::size_t i = next++; i < targets.size(); i = next++) {
      try {
        convertDocument(options.inputs[i], targets[i], options);
      } catch (const std::exception& e) {
        anyFailed = true;
        printError(std::string(kProgram) + ": " + options.inputs[i].string() + ": " + e.what());
      }
    }
  };
  const unsigned threadCount = std::min<std::size_t>(options.jobs, targets.size());
  std::vector<std::thread> threads;
  for (unsigned t = 1; t < threadCount; ++t) threads.emplace_back(worker);
  worker();
  for (std::thread& t : threads) t.join();
  return anyFailed ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--help") {
      std::cout << kHelp;
      return 0;
    }
  }
  vellumine::KeepLargeTextsInHeap();
  CliOptions options;
  try {
    options = parseArguments(argc, argv);
  } catch (const UsageError& e) {
    std::cerr << kProgram << ": " << e.what() << "\nTry 'vellumine-convert --help'.\n";
    return 2;
  }
  if (options.outDir) return convertBatch(options);
  try {
    convertDocument(options.inputs.front(), singleTarget(options), options);
  } catch (const std::exception& e) {
    printError(std::string(kProgram) + ": " + options.inputs.front().string() + ": " + e.what());
    return 1;
  }
  return 0;
}
