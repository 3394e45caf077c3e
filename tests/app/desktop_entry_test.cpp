#include "app/desktop_entry.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/keyfile.h"
#include "support/test_support.h"

namespace vellumine {
namespace {

// How a desktop reads an Exec value back: string escapes first, then "%%" and the quoting of
// each argument.  Field codes come out as themselves.
std::string unescapeString(std::string_view value) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      out += value[i];
      continue;
    }
    switch (char c = value[++i]) {
      case 's': out += ' '; break;
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case 'r': out += '\r'; break;
      case '\\': out += '\\'; break;
      default:
        out += '\\';
        out += c;
        break;
    }
  }
  return out;
}

std::vector<std::string> readExec(std::string_view value) {
  const std::string line = unescapeString(value);
  std::vector<std::string> args;
  std::string arg;
  bool inArg = false;
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    char c = line[i];
    if (c == '%' && i + 1 < line.size() && line[i + 1] == '%') {
      arg += '%';
      ++i;
    } else if (quoted && c == '\\' && i + 1 < line.size() &&
               std::string_view("\"`$\\").find(line[i + 1]) != std::string_view::npos) {
      arg += line[++i];
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ' ' && !quoted) {
      if (inArg) args.push_back(arg);
      arg.clear();
      inArg = false;
      continue;
    } else {
      arg += c;
    }
    inArg = true;
  }
  if (inArg) args.push_back(arg);
  return args;
}

const std::string_view kHostilePaths[] = {
    "/opt/vellumine/vellumine",       "/home/a b/my apps/vellumine",
    "/x/\"quoted\"/vellumine",        "/x/back\\slash/vellumine",
    "/x/100%/%f/vellumine",           "/x/$HOME/`id`/vellumine",
    "/x/it's; rm -rf ~ &/vellumine",  "/x/tab\there/new\nline/cr\r/vellumine",
    "/x/\xC3\xA9t\xC3\xA9/vellumine",
};

class DesktopEntryExec : public ::testing::TestWithParam<std::string_view> {};

TEST_P(DesktopEntryExec, ExecutablePathReadsBackUnchanged) {
  const std::string path(GetParam());
  EXPECT_EQ(readExec(execValue(path, true)), (std::vector<std::string>{path, "%f"}));
  EXPECT_EQ(readExec(execValue(path, false)), (std::vector<std::string>{path}));
  EXPECT_EQ(execValue(path, true).find('\n'), std::string::npos) << "the value stays on one line";
}

INSTANTIATE_TEST_SUITE_P(DesktopEntry, DesktopEntryExec, ::testing::ValuesIn(kHostilePaths));

TEST(DesktopEntry, ExecEscapingIsLayeredAsDesktopsExpect) {
  EXPECT_EQ(quoteExecArgument("/a b/c"), "\"/a b/c\"");
  EXPECT_EQ(quoteExecArgument("/a\"b$c`d\\e%f"), "\"/a\\\"b\\$c\\`d\\\\e%%f\"");
  // A literal backslash is written as four in the file.
  EXPECT_EQ(execValue("/a\\b", false), "\"/a\\\\\\\\b\"");
  EXPECT_EQ(escapeDesktopString(" lead\ttab\nnl\\"), "\\slead\\ttab\\nnl\\\\");
}

TEST(DesktopEntry, AssociationEntryHandlesDocxOutOfTheMenu) {
  const std::string entry = associationEntry("/opt/v dir/vellumine");
  EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u);
  EXPECT_EQ(keyFileValue(entry, "Desktop Entry", "Type"), "Application");
  EXPECT_EQ(keyFileValue(entry, "Desktop Entry", "Name"), "Vellumine");
  EXPECT_EQ(keyFileValue(entry, "Desktop Entry", "Exec"), "\"/opt/v dir/vellumine\" %f");
  EXPECT_EQ(keyFileValue(entry, "Desktop Entry", "MimeType"),
            "application/vnd.openxmlformats-officedocument.wordprocessingml.document;");
  EXPECT_EQ(keyFileValue(entry, "Desktop Entry", "NoDisplay"), "true");
}

TEST(DesktopEntry, LauncherStartsInTheExecutablesFolder) {
  const std::string entry = launcherEntry("/opt/v dir/vellumine");
  EXPECT_EQ(keyFileValue(entry, "Desktop Entry", "Exec"), "\"/opt/v dir/vellumine\"");
  EXPECT_EQ(keyFileValue(entry, "Desktop Entry", "Path"), "/opt/v dir");
  EXPECT_EQ(keyFileValue(entry, "Desktop Entry", "MimeType"), std::nullopt);
  EXPECT_EQ(keyFileValue(entry, "Desktop Entry", "NoDisplay"), std::nullopt);
  EXPECT_EQ(keyFileValue(entry, "Desktop Entry", "Icon"), std::nullopt);
  EXPECT_EQ(keyFileValue(launcherEntry("/opt/v/vellumine", "/opt/v/vellumine.svg"), "Desktop Entry", "Icon"),
            "/opt/v/vellumine.svg");
}

}  // namespace
}  // namespace vellumine
