// Reading and writing the window place file.  Reading is forgiving (any fault means "no place
// remembered", and the window opens as on a first start); writing replaces the file whole.
#include "app/window_place_file.h"

#include <charconv>
#include <limits>

#include "app/keyfile.h"
#include "app/user_file.h"

namespace vellumine {

namespace {

constexpr std::string_view kGroup = "Window";
// A place file is about a hundred bytes; anything past this is not one.
constexpr std::size_t kReadLimit = 4096;
// Far beyond any desktop, well inside int sums.
constexpr int kCoordinateLimit = 1 << 20;

std::optional<int> readInteger(std::string_view text, std::string_view key, int lowest) {
  const std::optional<std::string> value = keyFileValue(text, kGroup, key);
  if (!value) return std::nullopt;
  int number = 0;
  const char* end = value->data() + value->size();
  const auto [stop, error] = std::from_chars(value->data(), end, number);
  if (error != std::errc() || stop != end || number < lowest || number > kCoordinateLimit) return std::nullopt;
  return number;
}

std::optional<bool> readFlag(std::string_view text, std::string_view key) {
  const std::optional<std::string> value = keyFileValue(text, kGroup, key);
  if (value == "true") return true;
  if (value == "false") return false;
  return std::nullopt;
}

std::string_view flagText(bool flag) { return flag ? "true" : "false"; }

}  // namespace

std::string windowPlaceText(const WindowPlace& place) {
  std::string text = "[Window]\n";
  text += "x=" + std::to_string(place.normal.x) + "\n";
  text += "y=" + std::to_string(place.normal.y) + "\n";
  text += "width=" + std::to_string(place.normal.width) + "\n";
  text += "height=" + std::to_string(place.normal.height) + "\n";
  text.append("maximised=").append(flagText(place.maximised)).append("\n");
  text.append("fullScreen=").append(flagText(place.fullScreen)).append("\n");
  return text;
}

std::optional<WindowPlace> parseWindowPlace(std::string_view text) {
  const auto x = readInteger(text, "x", -kCoordinateLimit);
  const auto y = readInteger(text, "y", -kCoordinateLimit);
  const auto width = readInteger(text, "width", 1);
  const auto height = readInteger(text, "height", 1);
  const auto maximised = readFlag(text, "maximised");
  const auto fullScreen = readFlag(text, "fullScreen");
  if (!x || !y || !width || !height || !maximised || !fullScreen) return std::nullopt;
  return WindowPlace{{*x, *y, *width, *height}, *maximised, *fullScreen};
}

std::optional<WindowPlace> readWindowPlace(const std::filesystem::path& file) {
  std::string text;
  if (file.empty() || ReadUserFile(file, text, kReadLimit) != FileRead::Read) return std::nullopt;
  return parseWindowPlace(text);
}

void writeWindowPlace(const std::filesystem::path& file, const WindowPlace& place) {
  ReplaceFileContents(file, windowPlaceText(place));
}

}  // namespace vellumine
