// The recent-file list: rec.lst lines in, eight slots out, and back again when the window closes.
// Slots hold path bytes exactly as the file system gave them; nothing is decoded or normalised,
// so a path reaches the open call byte for byte as it was recorded.
#include "app/urecentfile.h"

#include <algorithm>

#include "app/user_file.h"
#include "text/fileutil.h"
#include "text/strutil.h"

namespace vellumine {

namespace {

namespace fs = std::filesystem;

// Eight paths of at most PATH_MAX bytes fit many times over; a larger file cannot hold more
// usable lines, and reading stops here so a runaway file cannot exhaust memory at start-up.
constexpr std::size_t kReadLimit = 1 << 20;

constexpr std::string_view kLineBreak = "\r\n";

// Blanks and control characters only (the whole file trimmed to nothing).
bool isBlank(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

// The line starting at pos, and pos moved past its line break (CR LF, LF or a lone CR).
std::string_view takeLine(std::string_view text, std::size_t& pos) {
  std::size_t end = text.find_first_of("\r\n", pos);
  if (end == std::string_view::npos) end = text.size();
  std::string_view line = text.substr(pos, end - pos);
  pos = end;
  if (pos < text.size() && text[pos] == '\r') ++pos;
  if (pos < text.size() && text[pos] == '\n') ++pos;
  return line;
}

bool fitsOneLine(std::string_view path) {
  return path.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

}  // namespace

void RecentFileList::loadRecentList(const fs::path& file) {
  slots_ = {};
  std::string text;
  if (ReadUserFile(file, text, kReadLimit) == FileRead::Unreadable) {
    throw EInOutError("Cannot read file '" + file.string() + "'");
  }
  if (isBlank(text)) return;
  std::size_t pos = 0;
  for (std::string& slot : slots_) {
    if (pos >= text.size()) break;
    slot = takeLine(text, pos);
  }
}

bool RecentFileList::addRecentFile(std::string_view path) {
  if (path.empty() || !fitsOneLine(path)) return false;
  auto found = std::find(slots_.begin(), slots_.end(), path);
  if (found != slots_.end()) {
    std::swap(*found, slots_.front());
    return true;
  }
  std::move_backward(slots_.begin(), slots_.end() - 1, slots_.end());
  slots_.front() = path;
  return true;
}

void RecentFileList::saveRecentList(const fs::path& file) const {
  std::string text;
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    if (i > 0) text += kLineBreak;
    text += slots_[i];
  }
  ReplaceFileContents(file, text, 0600);  // the list tells which documents the user read
}

std::string recentItemCaption(std::string_view path) {
  std::string caption;
  caption.reserve(path.size() + 8);
  for (char c : path) {
    if (c == '&') caption += '&';
    caption += c;
  }
  return caption;
}

std::string recentItemPath(std::string_view caption) {
  std::string path;
  path.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&') {
      path += caption[i];
    } else if (i + 1 < caption.size() && caption[i + 1] == '&') {
      path += '&';
      ++i;
    }
  }
  return path;
}

}  // namespace vellumine
