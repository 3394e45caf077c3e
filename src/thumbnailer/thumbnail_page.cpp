#include "thumbnailer/thumbnail_page.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace vellumine {

namespace {

constexpr double kLetterWidth = 816, kLetterHeight = 1056;  // 8.5 by 11 inches at 96 pixels an inch
constexpr double kSmallestSide = 48, kLargestSide = 4800;   // half an inch, fifty inches
constexpr double kSquarest = 1.0, kTallest = 1.5;

// The document's own page is shown as it is; only the viewer's frame around it goes.
constexpr std::string_view kThumbnailStyle =
    "<style>html{background:#FFFFFF}body{padding:0!important;margin:0!important}"
    ".vm-section{margin:0!important;box-shadow:none!important}</style>";

// The number in the first `data-NAME="..."` of page, when it is one.
std::optional<double> dataNumber(std::string_view page, std::string_view name) {
  const std::string key = "data-" + std::string(name) + "=\"";
  const std::size_t at = page.find(key);
  if (at == std::string_view::npos) return std::nullopt;
  const char* first = page.data() + at + key.size();
  const char* last = page.data() + page.size();
  double value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end == last || *end != '"') return std::nullopt;
  if (!(value >= kSmallestSide && value <= kLargestSide)) return std::nullopt;
  return value;
}

}  // namespace

PageCrop firstPageCrop(std::string_view page) {
  const std::optional<double> width = dataNumber(page, "page-width");
  const std::optional<double> height = dataNumber(page, "page-height");
  if (!width || !height) return PageCrop{kLetterWidth, kLetterHeight};
  const double shape = std::clamp(*height / *width, kSquarest, kTallest);
  return PageCrop{*width, *width * shape};
}

std::string thumbnailPage(std::string page) {
  const std::size_t head = page.find("</head>");
  page.insert(head == std::string::npos ? 0 : head, kThumbnailStyle);
  return page;
}

}  // namespace vellumine
