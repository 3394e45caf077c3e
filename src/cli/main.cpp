// vellumine-convert: the viewer's conversion without the window.  A .docx is unpacked into a
// private temporary package folder (or the folder --keep-package names), its page is made by the
// faithful engine (or, with --exact, the pass table) and written as the viewer writes
// word/doc.html, with the images in media/ beside it (or, with --embed-images, inside the page).
// "-" as the input reads the .docx from standard input.
#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "app/docxInfo.h"
#include "app/document_page.h"
#include "app/document_sniffer.h"
#include "app/embed_images.h"
#include "app/page_writer.h"
#include "app/savehtml.h"
#include "app/spooled_input.h"
#include "app/temp_package_folder.h"
#include "app/version.h"
#include "cli/batch_progress.h"
#include "package/unzip_docx.h"
#include "text/heap_tuning.h"
#include "text/fileutil.h"
#include "text/strutil.h"

namespace fs = std::filesystem;
using namespace vellumine;

namespace {

constexpr std::string_view kProgram = "vellumine-convert";

constexpr std::string_view kStandardInput = "-";

constexpr std::string_view kHelp =
    "Usage: vellumine-convert INPUT -o OUTPUT.htm [options]\n"
    "       vellumine-convert INPUT... -d OUTDIR [-j N] [options]\n"
    "       vellumine-convert - -o - [options] < IN.docx > OUT.htm\n"
    "\n"
    "Converts Word documents to the HTML page the Vellumine viewer shows.\n"
    "INPUT is a .docx file or a folder holding an already extracted package; '-' reads the\n"
    ".docx from standard input (a file called '-' is './-').\n"
    "Every page is written without scripts, frames, forms or anything that loads from outside\n"
    "its folder.\n"
    "\n"
    "Options:\n"
    "  -o FILE              write the page to FILE; its images go to a media/ folder beside it.\n"
    "                       '-o -' writes the page to standard output (images are not copied).\n"
    "  -d OUTDIR            batch: for each INPUT write OUTDIR/NAME.htm, NAME being the document's\n"
    "                       file name without extension, and its images to OUTDIR/NAME_media/\n"
    "                       (the page refers to them there). OUTDIR is created when missing.\n"
    "  -j N                 batch: convert N documents at a time (default: the number of\n"
    "                       processors). On a terminal the batch shows its progress and a\n"
    "                       summary on standard error.\n"
    "  --embed-images       put the document's images into the page as data: URIs (png, jpeg,\n"
    "                       gif, bmp, webp); no media folder is written. An image of\n"
    "                       another type (emf, wmf, tiff, svg) gets an empty source and a warning.\n"
    "  --keep-package DIR   unpack the .docx into DIR (created; must not exist or be empty) and\n"
    "                       leave it there for inspection, instead of a temporary folder\n"
    "  --body-only          the main text alone: no footnotes, endnotes, comments, headers or\n"
    "                       footers (by default the page shows the whole document)\n"
    "  --exact              the exact page: the earlier conversion's page of the main text,\n"
    "                       byte for byte as it has always been (no stories; the default page\n"
    "                       is the one that looks like the document)\n"
    "  --no-optimize        with --exact: skip the HTML clean-up of Word-flavoured markup\n"
    "  --changes=VIEW       how tracked changes are shown: 'markup' (the default: insertions\n"
    "                       underlined and deletions struck through in their author's colour,\n"
    "                       who and when on hover), 'final' (every change accepted) or\n"
    "                       'original' (every change rejected); --exact ignores it\n"
    "  --help               show this text\n"
    "  --version            show the program's name and version\n"
    "\n"
    "Exit status: 0 success, 1 the document failed, 2 a usage error.\n";

struct CliOptions {
  std::vector<fs::path> inputs;
  std::string output;             // -o
  std::optional<fs::path> outDir;  // -d
  std::optional<unsigned> jobs;   // -j; the number of processors when not given
  bool embedImages = false;
  std::optional<fs::path> keepPackage;
  PageEngine engine = PageEngine::faithful;  // --exact: the pass table
  ConversionSettings settings;
  render::ChangesView changes = render::ChangesView::markup;  // --changes
};

// Where one document's page and images go.
struct OutputTarget {
  std::string page;       // a file, or "-" for standard output
  fs::path mediaFolder;   // batch: where the images go
  std::string mediaLink;  // batch: the folder name the page uses for its images; empty: "media/"
};

// Where the lines about one document go: standard error, or the batch's progress, which keeps
// them apart from its status line.
using MessageSink = std::function<void(std::string_view line)>;

void printError(std::string_view line) { std::cerr << line << '\n'; }

std::string documentMessage(const fs::path& input, std::string_view text) {
  return std::string(kProgram) + ": " + input.string() + ": " + std::string(text);
}

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

render::ChangesView parseChangesView(std::string_view text) {
  if (const auto view = render::changesViewNamed(text)) return *view;
  throw UsageError("--changes takes markup, final or original");
}

unsigned parseJobs(const std::string& text) {
  unsigned jobs = 0;
  for (char ch : text) {
    if (ch < '0' || ch > '9' || jobs > 1000) throw UsageError("-j takes a number from 1 to 1000");
    jobs = jobs * 10 + static_cast<unsigned>(ch - '0');
  }
  if (jobs == 0 || jobs > 1000) throw UsageError("-j takes a number from 1 to 1000");
  return jobs;
}

// The processors this process may run on (taskset and container limits included).
unsigned availableProcessors() {
  cpu_set_t set;
  CPU_ZERO(&set);
  if (::sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0) {
    return static_cast<unsigned>(CPU_COUNT(&set));
  }
  return std::max(1u, std::thread::hardware_concurrency());
}

// Standard input as the input: one document, read once, and never from a terminal, where the
// conversion would wait for a .docx typed in.
void checkStandardInputUse(const CliOptions& options) {
  const auto isStandardInput = [](const fs::path& input) { return input == kStandardInput; };
  if (std::none_of(options.inputs.begin(), options.inputs.end(), isStandardInput)) return;
  if (options.outDir || options.inputs.size() > 1) throw UsageError("standard input ('-') is a single input with -o");
  if (::isatty(STDIN_FILENO)) throw UsageError("standard input is a terminal; pipe a .docx into it");
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
    } else if (arg == "--exact") {
      options.engine = PageEngine::exact;
    } else if (arg == "--embed-images") {
      options.embedImages = true;
    } else if (arg.starts_with("--changes=")) {
      options.changes = parseChangesView(arg.substr(std::string_view("--changes=").size()));
    } else if (arg == "--changes") {
      options.changes = parseChangesView(value());
    } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
      throw UsageError("unknown option " + std::string(arg));
    } else {
      options.inputs.emplace_back(std::string(arg));
    }
  }
  if (options.inputs.empty()) throw UsageError("no input given");
  if (options.engine == PageEngine::exact) options.settings.includeStories = false;
  if (!options.output.empty() && options.outDir) throw UsageError("-o and -d cannot be used together");
  checkStandardInputUse(options);
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

// With --embed-images the page takes its images in; a media reference it cannot take in is
// emptied and reported, so the page refers to nothing outside itself.
std::string embedMedia(std::string page, const fs::path& packageMedia, const fs::path& input,
                       const MessageSink& report) {
  EmbeddedPage embedded = embedImages(page, packageMedia);
  for (const ImageNotEmbedded& image : embedded.notEmbedded) {
    report(documentMessage(input, "warning: image " + image.reference + " left out: " + std::string(image.reason)));
  }
  return std::move(embedded.page);
}

void writeStandardOutput(std::string page) {
  // A full disk or a closed pipe behind a redirection is a failed conversion, not a short page.
  try {
    vellumine::writePage(stdout, std::move(page));
  } catch (const EInOutError&) {
    throw std::runtime_error("cannot write the page to standard output");
  }
}

void writePage(const OutputTarget& target, const fs::path& packageFolder, std::string page,
               const fs::path& input, const CliOptions& options, const MessageSink& report) {
  const fs::path packageMedia = packageFolder / "word" / "media";
  if (options.embedImages) page = embedMedia(std::move(page), packageMedia, input, report);
  const fs::path copiedMedia = options.embedImages ? fs::path() : packageMedia;  // none: nothing copied
  if (target.page == kStandardInput) {
    writeStandardOutput(std::move(page));
  } else if (target.mediaLink.empty()) {
    exportPage(std::move(page), copiedMedia, target.page);  // what the viewer's Save As HTML writes
  } else {
    if (!options.embedImages) page = ReplaceAllText(page, "src=\"media/", "src=\"" + target.mediaLink + "/");
    vellumine::writePage(target.page, std::move(page));
    if (!options.embedImages) CopyFolderFiles(packageMedia, target.mediaFolder);
  }
}

// The page of an extracted package; what the reading survived is reported, one line per kind.
std::string makePage(const fs::path& packageFolder, const fs::path& input, const CliOptions& options,
                     const MessageSink& report) {
  const PageRequest request{options.engine, options.settings, readDocumentProperties(packageFolder).title,
                            options.changes};
  DocumentPage made = makeDocumentPage(packageFolder, request);
  for (const std::string& warning : made.warnings) report(documentMessage(input, "warning: " + warning));
  for (const std::string& item : made.notShown) report(documentMessage(input, "warning: " + item));
  return std::move(made.page);
}

// Unpacks the .docx at document (or the one on standard input) and writes its page.
void convertArchive(const fs::path& document, const fs::path& input, const OutputTarget& target,
                    const CliOptions& options, const MessageSink& report) {
  ExtractObserver observer;
  observer.warning = [&](std::string_view message, std::string_view caption) {
    report(documentMessage(input, "warning: " + std::string(caption) + ": " + std::string(message)));
  };
  checkDocumentFile(document);  // before any folder is made for it
  std::optional<TemporaryPackageFolder> temporary;
  fs::path packageFolder;
  if (options.keepPackage) {
    prepareKeptPackageFolder(*options.keepPackage);
    packageFolder = *options.keepPackage;
  } else {
    temporary.emplace(declaredUnpackedSize(document));
    packageFolder = temporary->path();
  }
  extractPackage(document, packageFolder, observer);
  checkPackageFolder(packageFolder);
  writePage(target, packageFolder, makePage(packageFolder, input, options, report), input, options, report);
}

// Converts one document to its target.  Warnings go to report under the document's name.
void convertDocument(const fs::path& input, const OutputTarget& target, const CliOptions& options,
                     const MessageSink& report) {
  if (input == kStandardInput) {
    // The reader seeks, so the stream is first kept as a file; from there on it is a .docx like any other.
    const SpooledInput spooled(STDIN_FILENO);
    convertArchive(spooled.path(), input, target, options, report);
    return;
  }
  std::error_code ec;
  if (fs::is_directory(input, ec)) {
    checkPackageFolder(input);
    writePage(target, input, makePage(input, input, options, report), input, options, report);
    return;
  }
  if (!fs::is_regular_file(input, ec)) throw std::runtime_error("File not found.");
  convertArchive(input, input, target, options, report);
}

OutputTarget singleTarget(const CliOptions& options) {
  return OutputTarget{options.output, {}, {}};
}

// The input's last name, as the status line shows it ("report.docx"; "pkg" for "pkg/").
std::string shownName(const fs::path& input) {
  return (input.filename().empty() ? input.parent_path().filename() : input.filename()).string();
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
  BatchProgress progress(targets.size(), stderr, ::isatty(STDERR_FILENO) != 0);
  const MessageSink report = [&](std::string_view line) { progress.message(line); };
  std::atomic<std::size_t> next{0};
  auto worker = [&] {
    for (std::size_t i = next++; i < targets.size(); i = next++) {
      bool converted = true;
      try {
        convertDocument(options.inputs[i], targets[i], options, report);
      } catch (const std::exception& e) {
        converted = false;
        report(documentMessage(options.inputs[i], e.what()));
      }
      progress.finished(shownName(options.inputs[i]), converted);
    }
  };
  const std::size_t threadCount = std::min<std::size_t>(options.jobs.value_or(availableProcessors()), targets.size());
  std::vector<std::thread> threads;
  for (std::size_t t = 1; t < threadCount; ++t) threads.emplace_back(worker);
  worker();
  for (std::thread& t : threads) t.join();
  progress.summary();
  return progress.failed() > 0 ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help") {
      std::cout << kHelp;
      return 0;
    }
    if (arg == "--version") {
      std::cout << kProgram << ' ' << kProductVersion << '\n';
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
  const fs::path& input = options.inputs.front();
  try {
    convertDocument(input, singleTarget(options), options, printError);
  } catch (const std::exception& e) {
    printError(documentMessage(input, e.what()));
    return 1;
  }
  return 0;
}
