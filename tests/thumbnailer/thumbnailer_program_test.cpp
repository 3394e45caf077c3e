// vellumine-thumbnailer as a file manager runs it: the stored thumbnail when there is one, the
// drawn page otherwise, and for anything it cannot make a thumbnail of a failure that leaves the
// output path and the temporary folder as they were.
#include <QColor>
#include <QImage>
#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/foreign_files.h"
#include "support/test_support.h"
#include "text/fileutil.h"
#include "thumbnailer/thumbnail_documents.h"
#include "thumbnailer/thumbnailer_run.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;

// A folder for the inputs and outputs, and one for the program's temporary folders, which must be
// empty again after every run.
class ThumbnailerProgram : public testing::Test {
 protected:
  fs::path input(const std::string& name, const std::string& bytes) {
    const fs::path file = files_.path() / name;
    WriteTextFile(file, bytes);
    return file;
  }
  fs::path output() const { return files_.path() / "out" / "thumbnail.png"; }

  test::ThumbnailerRun run(const std::vector<std::string>& arguments, const std::vector<std::string>& environment = {}) {
    fs::create_directories(output().parent_path());
    std::vector<std::string> withTemporary{"TMPDIR=" + temporary_.path().string()};
    withTemporary.insert(withTemporary.end(), environment.begin(), environment.end());
    return test::runThumbnailer(arguments, withTemporary);
  }

  // Nothing left behind: no work folder, no half-written output beside the output path.
  void expectNothingLeftBehind(bool outputExpected) const {
    EXPECT_TRUE(fs::is_empty(temporary_.path()));
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(output().parent_path())) names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, outputExpected ? std::vector<std::string>{"thumbnail.png"} : std::vector<std::string>{});
  }

 private:
  test::TempDir files_;
  test::TempDir temporary_;
};

struct StoredRow {
  const char* name;
  test::StoredPicture picture;
  int size;
  int expectedWidth, expectedHeight;
};

const QColor kStoredColour(200, 30, 40);

std::vector<StoredRow> storedRows() {
  return {
      {"PngByRelationshipScaledDown", {"docProps/thumb1.png", test::pictureBytes(400, 300, kStoredColour, "PNG")}, 128, 128, 96},
      {"JpegByConventionalName", {"docProps/thumbnail.jpeg", test::pictureBytes(300, 600, kStoredColour, "JPEG"), false}, 256, 128, 256},
      {"PngByConventionalName", {"docProps/thumbnail.png", test::pictureBytes(512, 512, kStoredColour, "PNG"), false}, 128, 128, 128},
      {"SmallerThanAskedIsNotEnlarged", {"docProps/thumbnail.png", test::pictureBytes(64, 48, kStoredColour, "PNG")}, 256, 64, 48},
  };
}

TEST_F(ThumbnailerProgram, StoredThumbnailIsUsedFittedWithinTheSize) {
  for (const StoredRow& row : storedRows()) {
    SCOPED_TRACE(row.name);
    const fs::path document = input("stored.docx", test::thumbnailDocx({"Text the stored picture hides"}, row.picture));
    const test::ThumbnailerRun r = run({"-s", std::to_string(row.size), document.string(), output().string()});
    ASSERT_EQ(r.status, 0) << r.errors;
    const QImage thumbnail = test::readPicture(output());
    EXPECT_EQ(thumbnail.width(), row.expectedWidth);
    EXPECT_EQ(thumbnail.height(), row.expectedHeight);
    EXPECT_TRUE(test::mostlyColoured(thumbnail, kStoredColour));
    expectNothingLeftBehind(true);
  }
}

struct DrawnRow {
  const char* name;
  std::optional<test::StoredPicture> picture;  // one the thumbnailer cannot use
  int size;
};

std::vector<DrawnRow> drawnRows() {
  return {
      {"NoStoredThumbnail128", std::nullopt, 128},
      {"NoStoredThumbnail256", std::nullopt, 256},
      {"MetafileThumbnailIsDrawnInstead", test::StoredPicture{"docProps/thumbnail.emf", std::string("\x01\x00\x00\x00 EMF", 8)}, 128},
      {"PngNamedPictureThatIsNoPicture", test::StoredPicture{"docProps/thumbnail.png", "not a picture"}, 64},
  };
}

TEST_F(ThumbnailerProgram, PageIsDrawnWhenThereIsNoUsableStoredThumbnail) {
  for (const DrawnRow& row : drawnRows()) {
    SCOPED_TRACE(row.name);
    const fs::path document = input("drawn.docx", test::thumbnailDocx({"Quarterly report", "Heading text", "Body"}, row.picture));
    const test::ThumbnailerRun r = run({"-s", std::to_string(row.size), document.string(), output().string()});
    ASSERT_EQ(r.status, 0) << r.errors;
    const QImage thumbnail = test::readPicture(output());
    // The top of a portrait page: as tall as the size, narrower than it.
    EXPECT_EQ(thumbnail.height(), row.size);
    EXPECT_LT(thumbnail.width(), row.size);
    EXPECT_GT(thumbnail.width(), row.size / 2);
    EXPECT_GT(test::darkPixels(thumbnail), 0) << "the text is drawn";
    EXPECT_LT(test::darkPixels(thumbnail), thumbnail.width() * thumbnail.height() / 4) << "on a white page";
    expectNothingLeftBehind(true);
  }
}

TEST_F(ThumbnailerProgram, LargestSizeIsDrawnToItsFullHeight) {
  const fs::path document = input("large.docx", test::thumbnailDocx({"Large"}));
  const test::ThumbnailerRun r = run({"-s", "1024", document.string(), output().string()});
  ASSERT_EQ(r.status, 0) << r.errors;
  EXPECT_EQ(test::readPicture(output()).height(), 1024);
}

// Inputs no thumbnail can be made of: the run fails, says so under the input's name, and the
// output path keeps what it held.
struct FailingRow {
  std::string name;
  std::string bytes;  // empty with missing: no file at all
  bool missing = false;
};

std::vector<FailingRow> failingRows() {
  std::vector<FailingRow> rows{
      {"NotAnArchive", "this is not an archive"},
      {"ArchiveCutShort", test::thumbnailDocx({"cut"}).substr(0, 60)},
      {"Empty", ""},
      {"Missing", "", true},
  };
  for (const test::ForeignFile& foreign : test::foreignFiles()) rows.push_back({foreign.name, foreign.bytes});
  return rows;
}

TEST_F(ThumbnailerProgram, DamagedForeignOrMissingInputFailsAndWritesNothing) {
  for (const FailingRow& row : failingRows()) {
    SCOPED_TRACE(row.name);
    const fs::path document = row.missing ? fs::path("/nonexistent/missing.docx") : input(row.name + ".docx", row.bytes);
    const test::ThumbnailerRun r = run({"-s", "128", document.string(), output().string()});
    EXPECT_EQ(r.status, 1) << r.errors;
    EXPECT_EQ(r.errors.rfind("vellumine-thumbnailer: " + document.string() + ": ", 0), 0u) << r.errors;
    expectNothingLeftBehind(false);
  }
}

TEST_F(ThumbnailerProgram, FailureLeavesAnEarlierOutputAsItWas) {
  const fs::path document = input("bad.docx", "not an archive");
  fs::create_directories(output().parent_path());
  WriteTextFile(output(), "earlier thumbnail");
  EXPECT_EQ(run({"-s", "128", document.string(), output().string()}).status, 1);
  EXPECT_EQ(ReadWholeFile(output()), "earlier thumbnail");
}

TEST_F(ThumbnailerProgram, RunOutOfTimeIsKilledAndLeavesNothing) {
  const fs::path document = input("slow.docx", test::thumbnailDocx({"Never drawn"}));
  const test::ThumbnailerRun r =
      run({"-s", "128", document.string(), output().string()}, {"VELLUMINE_THUMBNAILER_TIME_LIMIT_MS=1"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.errors.find("gave up after 1 ms"), std::string::npos) << r.errors;
  expectNothingLeftBehind(false);
}

struct UsageRow {
  const char* name;
  std::vector<std::string> arguments;  // "IN" and "OUT" stand for an existing document and the output
};

std::vector<UsageRow> usageRows() {
  return {
      {"NoArguments", {}},
      {"NoSize", {"IN", "OUT"}},
      {"SizeWithoutValue", {"IN", "OUT", "-s"}},
      {"SizeNotANumber", {"-s", "big", "IN", "OUT"}},
      {"SizeNegative", {"-s", "-128", "IN", "OUT"}},
      {"SizeTooSmall", {"-s", "15", "IN", "OUT"}},
      {"SizeTooLarge", {"-s", "1025", "IN", "OUT"}},
      {"SizeHuge", {"-s", "99999999999999999999", "IN", "OUT"}},
      {"OutputMissing", {"-s", "128", "IN"}},
      {"ThreePaths", {"-s", "128", "IN", "OUT", "OUT"}},
      {"UnknownOption", {"-s", "128", "-x", "IN", "OUT"}},
  };
}

TEST_F(ThumbnailerProgram, BadArgumentsAreAUsageError) {
  const fs::path document = input("good.docx", test::thumbnailDocx({"Good"}));
  for (const UsageRow& row : usageRows()) {
    SCOPED_TRACE(row.name);
    std::vector<std::string> arguments = row.arguments;
    for (std::string& argument : arguments) {
      if (argument == "IN") argument = document.string();
      if (argument == "OUT") argument = output().string();
    }
    const test::ThumbnailerRun r = run(arguments);
    EXPECT_EQ(r.status, 2) << r.errors;
    EXPECT_NE(r.errors.find("Try 'vellumine-thumbnailer --help'."), std::string::npos) << r.errors;
    expectNothingLeftBehind(false);
  }
}

TEST_F(ThumbnailerProgram, HelpAndVersionAnswerWithoutADocument) {
  const test::ThumbnailerRun help = run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.errors.rfind("Usage: vellumine-thumbnailer -s SIZE INPUT OUTPUT.png\n", 0), 0u);
  const test::ThumbnailerRun version = run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.errors.rfind("vellumine-thumbnailer ", 0), 0u);
}

}  // namespace
}  // namespace vellumine
