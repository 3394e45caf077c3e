#include "thumbnailer/thumbnail_arguments.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace vellumine {
namespace {

struct AcceptedRow {
  const char* name;
  std::vector<std::string> arguments;
  int size;
  const char* input;
  const char* output;
};

TEST(ThumbnailArguments, AcceptedCommandLines) {
  const AcceptedRow rows[] = {
      {"AsTheEntryCallsIt", {"-s", "256", "a.docx", "a.png"}, 256, "a.docx", "a.png"},
      {"SizeAfterThePaths", {"a.docx", "a.png", "-s", "128"}, 128, "a.docx", "a.png"},
      {"SizeBetweenThePaths", {"a.docx", "-s", "512", "a.png"}, 512, "a.docx", "a.png"},
      {"SmallestSize", {"-s", "16", "a", "b"}, 16, "a", "b"},
      {"LargestSize", {"-s", "1024", "a", "b"}, 1024, "a", "b"},
      {"LeadingZeros", {"-s", "0128", "a", "b"}, 128, "a", "b"},
      {"DashNamesAfterTheEnd", {"-s", "64", "--", "-in.docx", "-out.png"}, 64, "-in.docx", "-out.png"},
      {"LoneDashIsAPath", {"-s", "64", "-", "out.png"}, 64, "-", "out.png"},
  };
  for (const AcceptedRow& row : rows) {
    SCOPED_TRACE(row.name);
    const ThumbnailArguments parsed = parseThumbnailArguments(row.arguments);
    EXPECT_EQ(parsed.size, row.size);
    EXPECT_EQ(parsed.input, row.input);
    EXPECT_EQ(parsed.output, row.output);
  }
}

struct RefusedRow {
  const char* name;
  std::vector<std::string> arguments;
  const char* message;
};

TEST(ThumbnailArguments, RefusedCommandLinesSayWhy) {
  const std::string range = "the size (-s) is a number of pixels from 16 to 1024";
  const RefusedRow rows[] = {
      {"Nothing", {}, "no size given (-s SIZE)"},
      {"NoSize", {"a", "b"}, "no size given (-s SIZE)"},
      {"SizeWithoutValue", {"a", "b", "-s"}, "-s needs a size"},
      {"SizeTwice", {"-s", "64", "-s", "128", "a", "b"}, "-s is given twice"},
      {"SizeEmpty", {"-s", "", "a", "b"}, range.c_str()},
      {"SizeLetters", {"-s", "12a", "a", "b"}, range.c_str()},
      {"SizeNegative", {"-s", "-5", "a", "b"}, range.c_str()},
      {"SizeZero", {"-s", "0", "a", "b"}, range.c_str()},
      {"SizeBelowRange", {"-s", "15", "a", "b"}, range.c_str()},
      {"SizeAboveRange", {"-s", "1025", "a", "b"}, range.c_str()},
      {"SizeOverflowing", {"-s", "184467440737095516170", "a", "b"}, range.c_str()},
      {"OnePath", {"-s", "64", "a"}, "an input document and an output file are needed"},
      {"ThreePaths", {"-s", "64", "a", "b", "c"}, "an input document and an output file are needed"},
      {"EmptyPath", {"-s", "64", "", "b"}, "an empty file name"},
      {"UnknownOption", {"-s", "64", "-q", "a", "b"}, "unknown option -q"},
  };
  for (const RefusedRow& row : rows) {
    SCOPED_TRACE(row.name);
    try {
      parseThumbnailArguments(row.arguments);
      ADD_FAILURE() << "accepted";
    } catch (const ThumbnailUsageError& e) {
      EXPECT_STREQ(e.what(), row.message);
    }
  }
}

}  // namespace
}  // namespace vellumine
