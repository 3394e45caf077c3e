#include "app/window_place_file.h"

#include <fstream>

#include <gtest/gtest.h>

#include "support/test_support.h"
#include "text/fileutil.h"

namespace vellumine {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kGood =
    "[Window]\nx=-40\ny=30\nwidth=1280\nheight=720\nmaximised=true\nfullScreen=false\n";

struct ParseCase {
  std::string_view name;
  std::string_view text;
  std::optional<WindowPlace> expected;
};

const ParseCase kParseCases[] = {
    {"AllKeysRead", kGood, WindowPlace{{-40, 30, 1280, 720}, true, false}},
    {"BlanksAndOtherKeysIgnored",
     "# kept by vellumine\n[Window]\n x = 5 \ny=6\nwidth=700\nheight=500\nmaximised=false\nfullScreen=true\nz=1\n",
     WindowPlace{{5, 6, 700, 500}, false, true}},
    {"EmptyTextIsNoPlace", "", std::nullopt},
    {"AMissingKeyIsNoPlace", "[Window]\nx=1\ny=2\nwidth=700\nmaximised=false\nfullScreen=false\n", std::nullopt},
    {"AnotherGroupIsNoPlace", "[Other]\nx=1\ny=2\nwidth=700\nheight=500\nmaximised=false\nfullScreen=false\n",
     std::nullopt},
    {"ANonNumberIsNoPlace", "[Window]\nx=1px\ny=2\nwidth=700\nheight=500\nmaximised=false\nfullScreen=false\n",
     std::nullopt},
    {"AZeroSizeIsNoPlace", "[Window]\nx=1\ny=2\nwidth=0\nheight=500\nmaximised=false\nfullScreen=false\n",
     std::nullopt},
    {"AnOverflowingNumberIsNoPlace",
     "[Window]\nx=99999999999999999999\ny=2\nwidth=700\nheight=500\nmaximised=false\nfullScreen=false\n",
     std::nullopt},
    {"AFlagOtherThanTrueOrFalseIsNoPlace",
     "[Window]\nx=1\ny=2\nwidth=700\nheight=500\nmaximised=yes\nfullScreen=false\n", std::nullopt},
};

class ParseWindowPlace : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseWindowPlace, ReadsOnlyAWholePlace) {
  EXPECT_EQ(parseWindowPlace(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseWindowPlace, testing::ValuesIn(kParseCases), test::caseName);

TEST(WindowPlaceFile, WrittenPlaceIsReadBack) {
  test::TempDir dir;
  const fs::path file = dir.path() / "state" / "vellumine" / "window.ini";
  const WindowPlace place{{2000, -15, 1024, 700}, false, true};
  writeWindowPlace(file, place);
  EXPECT_EQ(readWindowPlace(file), place);
  EXPECT_EQ(ReadWholeFile(file), windowPlaceText(place));
}

TEST(WindowPlaceFile, MissingOrUnreadableFileIsNoPlace) {
  test::TempDir dir;
  EXPECT_EQ(readWindowPlace(dir.path() / "missing.ini"), std::nullopt);
  EXPECT_EQ(readWindowPlace(dir.path()), std::nullopt);  // a folder where the file should be
  EXPECT_EQ(readWindowPlace(fs::path()), std::nullopt);
}

TEST(WindowPlaceFile, AFolderThatCannotBeMadeThrows) {
  test::TempDir dir;
  std::ofstream(dir.path() / "state") << "a file where the state folder should be";
  EXPECT_THROW(writeWindowPlace(dir.path() / "state" / "window.ini", WindowPlace{{1, 2, 700, 500}, false, false}),
               EInOutError);
  EXPECT_EQ(ReadWholeFile(dir.path() / "state"), "a file where the state folder should be");
}

}  // namespace
}  // namespace vellumine
