#include "app/reading_places.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

#include "app/user_file.h"

namespace fs = std::filesystem;

namespace vellumine {

namespace {

// Far more than kReadingPlacesKept lines of the longest paths; a larger file is read this far.
constexpr std::size_t kFileLimit = 1 << 20;
constexpr int kMaximumBlock = 100'000'000;
constexpr double kMaximumOffset = 1e9;  // page pixels; a page is never this long
constexpr double kMinimumZoom = 0.25, kMaximumZoom = 5.0;

bool holdsLineBreak(std::string_view text) { return text.find_first_of(std::string_view("\r\n\0", 3)) != text.npos; }

ReadingPlace withinRange(ReadingPlace place) {
  place.block = std::clamp(place.block, 0, kMaximumBlock);
  place.y = std::isfinite(place.y) ? std::clamp(place.y, -kMaximumOffset, kMaximumOffset) : 0;
  place.x = std::isfinite(place.x) ? std::clamp(place.x, 0.0, kMaximumOffset) : 0;
  place.zoom = std::isfinite(place.zoom) ? std::clamp(place.zoom, kMinimumZoom, kMaximumZoom) : 1.0;
  return place;
}

// The next tab-separated field of line, taken off its front; nothing when there is no tab left.
std::optional<std::string_view> takeField(std::string_view& line) {
  const std::size_t tab = line.find('\t');
  if (tab == line.npos) return std::nullopt;
  const std::string_view field = line.substr(0, tab);
  line.remove_prefix(tab + 1);
  return field;
}

template <typename Number>
bool readNumber(std::optional<std::string_view> field, Number& value) {
  if (!field || field->empty()) return false;
  const char* end = field->data() + field->size();
  const auto [stop, error] = std::from_chars(field->data(), end, value);
  return error == std::errc() && stop == end;
}

// A line as save writes it, or nothing; values out of range make the line unreadable rather than
// being brought into range, since they say the line is not ours.
std::optional<std::pair<std::string, ReadingPlace>> readLine(std::string_view line) {
  ReadingPlace place;
  if (!readNumber(takeField(line), place.block) || !readNumber(takeField(line), place.y) ||
      !readNumber(takeField(line), place.x) || !readNumber(takeField(line), place.zoom) || line.empty()) {
    return std::nullopt;
  }
  if (!(withinRange(place) == place)) return std::nullopt;
  return std::pair{std::string(line), place};
}

void appendNumber(std::string& out, double value) {
  char digits[32];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
  if (error == std::errc()) out.append(digits, end);
}

}  // namespace

void ReadingPlaces::load(const fs::path& file) {
  entries_.clear();
  std::string bytes;
  if (ReadUserFile(file, bytes, kFileLimit) != FileRead::Read) return;
  std::string_view rest = bytes;
  while (!rest.empty() && entries_.size() < kReadingPlacesKept) {
    const std::size_t end = std::min(rest.find('\n'), rest.size());
    const std::string_view line = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
    auto read = readLine(line);
    if (!read || find(read->first)) continue;  // a second line for one document: the first is newer
    entries_.push_back({std::move(read->first), read->second});
  }
}

void ReadingPlaces::save(const fs::path& file) const {
  std::string out;
  for (const Entry& entry : entries_) {
    out += std::to_string(entry.place.block) + '\t';
    appendNumber(out, entry.place.y);
    out += '\t';
    appendNumber(out, entry.place.x);
    out += '\t';
    appendNumber(out, entry.place.zoom);
    out += '\t' + entry.document + '\n';
  }
  ReplaceFileContents(file, out, 0600);
}

bool ReadingPlaces::remember(const std::string& document, const ReadingPlace& place) {
  if (document.empty() || holdsLineBreak(document)) return false;
  std::erase_if(entries_, [&](const Entry& entry) { return entry.document == document; });
  entries_.insert(entries_.begin(), {document, withinRange(place)});
  if (entries_.size() > kReadingPlacesKept) entries_.resize(kReadingPlacesKept);
  return true;
}

std::optional<ReadingPlace> ReadingPlaces::find(std::string_view document) const {
  for (const Entry& entry : entries_) {
    if (entry.document == document) return entry.place;
  }
  return std::nullopt;
}

std::string readingPlaceKey(const fs::path& document) {
  std::error_code error;
  fs::path key = fs::weakly_canonical(fs::absolute(document, error), error);
  if (error) key = fs::absolute(document, error).lexically_normal();
  if (error) key = document.lexically_normal();
  return key.string();
}

}  // namespace vellumine
