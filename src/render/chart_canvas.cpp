// The SVG elements of a chart, written as short as they read well: integer coordinates where the
// value is one, colours as #RRGGBB.
#include "render/chart_canvas.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "render/css_units.h"
#include "render/html_escape.h"

namespace vellumine::render {

namespace {

constexpr double kLimit = 1e7;

bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

void appendSvgNumber(std::string& out, double value) {
  if (std::isnan(value)) value = 0;
  value = std::clamp(value, -kLimit, kLimit);
  const double rounded = std::round(value * 100) / 100;
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, rounded == 0 ? 0.0 : rounded, std::chars_format::fixed);
  out.append(buffer, result.ptr);
}

void appendSvgColor(std::string& out, std::uint32_t rgb) { appendColor(out, rgb & 0xFFFFFF); }

double estimatedTextWidth(std::string_view text, double fontSize) {
  std::size_t characters = 0;
  for (char c : text) {
    if (!isContinuation(c)) ++characters;
  }
  return static_cast<double>(characters) * fontSize * 0.55;
}

std::string fittedText(std::string_view text, double fontSize, double maxWidth) {
  if (estimatedTextWidth(text, fontSize) <= maxWidth) return std::string(text);
  const double glyph = fontSize * 0.55;
  const double room = maxWidth / glyph - 1;  // one glyph for the ellipsis
  std::size_t keep = 0, characters = 0;
  while (keep < text.size() && static_cast<double>(characters + 1) <= room) {
    ++keep;
    while (keep < text.size() && isContinuation(text[keep])) ++keep;
    ++characters;
  }
  std::string out(text.substr(0, keep));
  out += "\xE2\x80\xA6";  // …
  return out;
}

void SvgCanvas::paint(std::uint32_t fill, std::uint32_t stroke, double strokeWidth) {
  out_ += " fill=\"";
  if (fill == kNone) {
    out_ += "none";
  } else {
    appendSvgColor(out_, fill);
  }
  out_ += '"';
  if (stroke != kNone) {
    out_ += " stroke=\"";
    appendSvgColor(out_, stroke);
    out_ += "\" stroke-width=\"";
    appendSvgNumber(out_, strokeWidth);
    out_ += '"';
  }
}

void SvgCanvas::rect(const ChartBox& box, std::uint32_t fill) { outlinedRect(box, fill, kNone); }

void SvgCanvas::outlinedRect(const ChartBox& box, std::uint32_t fill, std::uint32_t stroke) {
  out_ += "<rect x=\"";
  appendSvgNumber(out_, box.x);
  out_ += "\" y=\"";
  appendSvgNumber(out_, box.y);
  out_ += "\" width=\"";
  appendSvgNumber(out_, std::max(box.width, 0.0));
  out_ += "\" height=\"";
  appendSvgNumber(out_, std::max(box.height, 0.0));
  out_ += '"';
  paint(fill, stroke, 1);
  out_ += "/>\n";
}

void SvgCanvas::line(double x1, double y1, double x2, double y2, std::uint32_t stroke, double width) {
  out_ += "<line x1=\"";
  appendSvgNumber(out_, x1);
  out_ += "\" y1=\"";
  appendSvgNumber(out_, y1);
  out_ += "\" x2=\"";
  appendSvgNumber(out_, x2);
  out_ += "\" y2=\"";
  appendSvgNumber(out_, y2);
  out_ += "\" stroke=\"";
  appendSvgColor(out_, stroke);
  out_ += "\" stroke-width=\"";
  appendSvgNumber(out_, width);
  out_ += "\"/>\n";
}

void SvgCanvas::circle(double cx, double cy, double r, std::uint32_t fill, std::uint32_t stroke) {
  out_ += "<circle cx=\"";
  appendSvgNumber(out_, cx);
  out_ += "\" cy=\"";
  appendSvgNumber(out_, cy);
  out_ += "\" r=\"";
  appendSvgNumber(out_, r);
  out_ += '"';
  paint(fill, stroke, 1);
  out_ += "/>\n";
}

void SvgCanvas::text(double x, double y, std::string_view text, const TextStyle& style) {
  out_ += "<text x=\"";
  appendSvgNumber(out_, x);
  out_ += "\" y=\"";
  appendSvgNumber(out_, y);
  out_ += "\" font-size=\"";
  appendSvgNumber(out_, style.size);
  out_ += '"';
  if (style.anchor == TextAnchor::middle) out_ += " text-anchor=\"middle\"";
  if (style.anchor == TextAnchor::end) out_ += " text-anchor=\"end\"";
  if (style.bold) out_ += " font-weight=\"bold\"";
  out_ += " fill=\"";
  appendSvgColor(out_, style.color);
  out_ += '"';
  if (style.rotate != 0) {
    out_ += " transform=\"rotate(";
    appendSvgNumber(out_, style.rotate);
    out_ += ' ';
    appendSvgNumber(out_, x);
    out_ += ' ';
    appendSvgNumber(out_, y);
    out_ += ")\"";
  }
  out_ += '>';
  appendHtmlText(out_, text);
  out_ += "</text>\n";
}

void SvgCanvas::path(std::string_view d, std::uint32_t fill, std::uint32_t stroke, double strokeWidth) {
  out_ += "<path d=\"";
  out_ += d;
  out_ += '"';
  paint(fill, stroke, strokeWidth);
  if (fill == kNone) out_ += " stroke-linejoin=\"round\"";
  out_ += "/>\n";
}

}  // namespace vellumine::render
