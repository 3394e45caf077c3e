// What the units that draw a chart share: the SVG text being written and the shapes in it.  Every
// number goes through appendSvgNumber (std::to_chars, two decimals at most, never NaN or an
// infinity), every text through the XML escaping of html_escape.h; no script, no link, nothing
// that loads.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace vellumine::render {

// A rectangle in the chart's pixels, y downwards.
struct ChartBox {
  double x = 0, y = 0, width = 0, height = 0;
  double right() const { return x + width; }
  double bottom() const { return y + height; }
};

// value with at most two decimals and no trailing zeros; NaN as 0, others clamped to +-1e7 (far
// outside any drawing, but still a number a renderer reads).
void appendSvgNumber(std::string& out, double value);

// "#RRGGBB".
void appendSvgColor(std::string& out, std::uint32_t rgb);

// The width of text at this font size, estimated (the page has no fonts to measure with): an
// average glyph of 0.55 em, a UTF-8 continuation byte counting nothing.
double estimatedTextWidth(std::string_view text, double fontSize);

// text cut to at most maxWidth (estimated), ending in an ellipsis when cut; whole UTF-8 sequences.
std::string fittedText(std::string_view text, double fontSize, double maxWidth);

enum class TextAnchor : std::uint8_t { start, middle, end };

struct TextStyle {
  double size = 12;
  TextAnchor anchor = TextAnchor::start;
  std::uint32_t color = 0x595959;
  bool bold = false;
  double rotate = 0;   // degrees about the text's point (-90: reading upwards)
};

class SvgCanvas {
 public:
  explicit SvgCanvas(std::string& out) : out_(out) {}

  void rect(const ChartBox& box, std::uint32_t fill);
  void outlinedRect(const ChartBox& box, std::uint32_t fill, std::uint32_t stroke);
  void line(double x1, double y1, double x2, double y2, std::uint32_t stroke, double width);
  void circle(double cx, double cy, double r, std::uint32_t fill, std::uint32_t stroke);
  // text on one line, its baseline at y.
  void text(double x, double y, std::string_view text, const TextStyle& style);
  // A path of data d (built with appendSvgNumber); fill or stroke may be absent (nullptr-like:
  // kNone).
  void path(std::string_view d, std::uint32_t fill, std::uint32_t stroke, double strokeWidth);

  static constexpr std::uint32_t kNone = 0xFF000000;

  std::string& out() { return out_; }

 private:
  void paint(std::uint32_t fill, std::uint32_t stroke, double strokeWidth);
  std::string& out_;
};

}  // namespace vellumine::render
