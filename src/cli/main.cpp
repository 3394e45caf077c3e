// vellumine-convert: the viewer's conversion without the window.  A .docx is unpacked into a
// private temporary package folder (or the folder --keep-package names), converted, and the framed
// page is written as the viewer writes word/doc.html, with the images in media/ beside it.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <stdlib.h>

#include "convert/ddocx.h"
#include "package/unzip_docx.h"
#include "text/strutil.h"

namespace fs = std::filesystem;
using namespace vellumine;

namespace {

constexpr std::string_view kProgram = "vellumine-convert";

constexpr std::string_view kHelp =
    "Usage: vellumine-convert INPUT -o OUTPUT.htm [options]\n"
    "\n"
    "Converts a Word document to the HTML page the Vellumine viewer shows.\n"
    "INPUT is a .docx file or a folder holding an already extracted package.\n"
    "\n"
    "Options:\n"
    "  -o FILE              write the page to FILE; its images go to a media/ folder beside it.\n"
    "                       '-o -' writes the page to standard output (images are not copied).\n"
    "  --keep-package DIR   unpack the .docx into DIR (created; must not exist or be empty) and\n"
    "                       leave it there for inspection, instead of a temporary folder\n"
    "  --no-optimize        skip the HTML clean-up of Word-flavoured markup\n"
    "  --help               show this text\n"
    "\n"
    "Exit status: 0 success, 1 the document failed, 2 a usage error.\n";

struct CliOptions {
  fs::path input;
  std::string output;
  std::optional<fs::path> keepPackage;
  ConversionSettings settings;
};

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

CliOptions parseArguments(int argc, char** argv) {
  CliOptions options;
  bool haveInput = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) throw UsageError(std::string(arg) + " needs a value");
      return argv[++i];
    };
    if (arg == "-o") {
      options.output = value();
    } else if (arg == "--keep-package") {
      options.keepPackage = fs::path(value());
    } else if (arg == "--no-optimize") {
      options.settings.optimizeHtml = false;
    } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
      throw UsageError("unknown option " + std::string(arg));
    } else if (!haveInput) {
      options.input = std::string(arg);
      haveInput = true;
    } else {
      throw UsageError("more than one input given");
    }
  }
  if (!haveInput) throw UsageError("no input given");
  if (options.output.empty()) throw UsageError("no output given (-o FILE, or -o - for standard output)");
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

// A private temporary folder, removed with everything in it when the conversion is done.
class TemporaryPackageFolder {
 public:
  TemporaryPackageFolder() {
    std::string pattern = (fs::temp_directory_path() / "vellumine-convert-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
      throw std::runtime_error("cannot create a temporary package folder");
    path_ = pattern;
  }
  ~TemporaryPackageFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  TemporaryPackageFolder(const TemporaryPackageFolder&) = delete;
  TemporaryPackageFolder& operator=(const TemporaryPackageFolder&) = delete;
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

void writePage(const CliOptions& options, const fs::path& packageFolder, const std::string& page) {
  if (options.output == "-") {
    std::fwrite(page.data(), 1, page.size(), stdout);
    std::fflush(stdout);
    return;
  }
  const fs::path target = options.output;
  WriteTextFile(target, page);
  const fs::path targetFolder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  CopyFolderFiles(packageFolder / "word" / "media", targetFolder / "media");
}

void convertDocument(const CliOptions& options) {
  std::error_code ec;
  if (fs::is_directory(options.input, ec)) {
    writePage(options, options.input, convertPackageFolder(options.input, options.settings));
    return;
  }
  if (!fs::is_regular_file(options.input, ec)) throw std::runtime_error("File not found.");
  ExtractObserver observer;
  observer.warning = [&](std::string_view message, std::string_view caption) {
    std::cerr << kProgram << ": " << options.input.string() << ": warning: " << caption << ": "
              << message << '\n';
  };
  std::optional<TemporaryPackageFolder> temporary;
  fs::path packageFolder;
  if (options.keepPackage) {
    prepareKeptPackageFolder(*options.keepPackage);
    packageFolder = *options.keepPackage;
  } else {
    temporary.emplace();
    packageFolder = temporary->path();
  }
  extractPackage(options.input, packageFolder, observer);
  writePage(options, packageFolder, convertPackageFolder(packageFolder, options.settings));
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--help") {
      std::cout << kHelp;
      return 0;
    }
  }
  CliOptions options;
  try {
    options = parseArguments(argc, argv);
  } catch (const UsageError& e) {
    std::cerr << kProgram << ": " << e.what() << "\nTry 'vellumine-convert --help'.\n";
    return 2;
  }
  try {
    convertDocument(options);
  } catch (const std::exception& e) {
    std::cerr << kProgram << ": " << options.input.string() << ": " << e.what() << '\n';
    return 1;
  }
  return 0;
}
