// Desktop entry texts for the viewer's executable.  Exec values carry two layers of escaping:
// the argument quoting of the Exec key (read after) and the string escapes of every key file value
// (read first); a path like /opt/my "apps"/100%/vellumine must come out of both unchanged.
#include "app/desktop_entry.h"

namespace vellumine {

namespace {

constexpr std::string_view kEntryName = "Vellumine";
constexpr std::string_view kEntryComment = "Viewer for Word documents (.docx)";

void appendLine(std::string& out, std::string_view key, std::string_view value) {
  out += key;
  out += '=';
  out += value;
  out += '\n';
}

void appendHeader(std::string& out, const std::filesystem::path& icon) {
  out += "[Desktop Entry]\n";
  appendLine(out, "Type", "Application");
  appendLine(out, "Version", "1.0");
  appendLine(out, "Name", kEntryName);
  appendLine(out, "Comment", kEntryComment);
  if (!icon.empty()) appendLine(out, "Icon", escapeDesktopString(icon.string()));
}

}  // namespace

std::string escapeDesktopString(std::string_view value) {
  std::string out;
  out.reserve(value.size() + 8);
  for (std::size_t i = 0; i < value.size(); ++i) {
    char c = value[i];
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case ' ': out += i == 0 ? "\\s" : " "; break;  // readers drop blanks at the start of a value
      default: out += c; break;
    }
  }
  return out;
}

std::string quoteExecArgument(std::string_view argument) {
  std::string out;
  out.reserve(argument.size() + 8);
  out += '"';
  for (char c : argument) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') out += '\\';
    if (c == '%') out += '%';  // a lone % would start a field code
    out += c;
  }
  out += '"';
  return out;
}

std::string execValue(const std::filesystem::path& executable, bool opensDocument) {
  std::string value = escapeDesktopString(quoteExecArgument(executable.string()));
  if (opensDocument) value += " %f";
  return value;
}

std::string associationEntry(const std::filesystem::path& executable, const std::filesystem::path& icon) {
  std::string out;
  appendHeader(out, icon);
  appendLine(out, "Exec", execValue(executable, true));
  appendLine(out, "MimeType", std::string(kDocxMimeType) + ";");
  appendLine(out, "NoDisplay", "true");
  appendLine(out, "Terminal", "false");
  return out;
}

std::string launcherEntry(const std::filesystem::path& executable, const std::filesystem::path& icon) {
  std::string out;
  appendHeader(out, icon);
  appendLine(out, "Exec", execValue(executable, false));
  appendLine(out, "Path", escapeDesktopString(executable.parent_path().string()));
  appendLine(out, "Terminal", "false");
  appendLine(out, "Categories", "Office;Viewer;");
  return out;
}

}  // namespace vellumine
