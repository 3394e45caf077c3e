// Drawing elements into img elements.  Runs after paragraphs, runs, tabs and links, so each drawing
// still stands as raw markup ("wp:", "a:" and "r:" prefixes kept) inside finished paragraph HTML;
// everything in it but the picture reference, the alignment and the extent is dropped.
#include "convert/docx_img.h"

#include <optional>

#include "convert/markup_scan.h"
#include "convert/relationship_index.h"
#include "text/bytesearch.h"
#include "text/chartype.h"
#include "text/markup_escape.h"
#include "text/strutil.h"
#include "text/units.h"
#include "text/xmlfrag.h"

namespace vellumine {

namespace {

constexpr std::string_view kDrawingPattern = "<drawing>.+?</drawing>";
constexpr std::string_view kDrawingOpen = "<drawing>";
constexpr std::string_view kDrawingClose = "</drawing>";
constexpr long long kEmuPerPixel = 9525;

// The image element in two parts: the relationship target that goes into src, and the attributes
// behind it (align, width, height), each empty when the drawing has no source for it.
struct ImageParts {
  std::string target;
  std::string attributes;
};

// wp:align holds one keyword (left, right, center, inside, outside, top, bottom).  Anything else
// would stand unquoted in the img tag and could add attributes of its own, so it is left out.
bool isAlignKeyword(std::string_view value) {
  if (value.empty()) return false;
  for (char ch : value) {
    if (!IsAsciiLetter(static_cast<unsigned char>(ch))) return false;
  }
  return true;
}

// The page is written into the word folder; a target named from the package root
// ("/word/media/image1.png") is the same file as seen from there ("media/image1.png").  As written,
// the browser would look for it at the root of the file system.
std::string pageRelativeTarget(std::string target) {
  constexpr std::string_view kPageFolder = "/word/";
  if (target.size() > kPageFolder.size() && EqualsCaselessAt(target, 0, kPageFolder)) target.erase(0, kPageFolder.size());
  return target;
}

template <class TargetOfId>
ImageParts readImageParts(std::string_view drawing, const TargetOfId& targetOfId) {
  ImageParts parts;
  parts.target = pageRelativeTarget(targetOfId(TextBetween(drawing, "<a:blip r:embed=\"", "\"")));
  std::string align = TextBetween(drawing, "<wp:align>", "</wp:align>");
  if (isAlignKeyword(align)) parts.attributes += " align=" + align;
  std::string extent = EmptyElement(drawing, "wp:extent");
  std::string cx = AttrValue(extent, "cx");
  std::string cy = AttrValue(extent, "cy");
  if (!cx.empty()) parts.attributes += " width=\"" + emuToPixels(cx) + "\"";
  if (!cy.empty()) parts.attributes += " height=\"" + emuToPixels(cy) + "\"";
  return parts;
}

// "<drawing>.+?</drawing>": the first end tag behind at least one byte of content.  Without an
// end tag behind a start tag no later start tag can match either, so the scan stops there.
std::optional<MatchWindow> findDrawingWindow(std::string_view text, std::size_t from) {
  std::size_t start = findBytesCaseless(text, kDrawingOpen, from);
  if (start == std::string_view::npos) return std::nullopt;
  std::size_t close = findBytesCaseless(text, kDrawingClose, start + kDrawingOpen.size() + 1);
  if (close == std::string_view::npos) return std::nullopt;
  return MatchWindow{start, close + kDrawingClose.size()};
}

}  // namespace

std::string emuToPixels(std::string_view emu) {
  const std::optional<DecimalFraction> number = ReadDecimal(emu);
  if (!number) return DecimalText(StrToInt(emu));  // no number: StrToInt's failure
  return DecimalText(NearestQuotient(number->num, number->den * kEmuPerPixel));
}

std::string drawingToImage(const Conversion& c, std::string_view drawing) {
  ImageParts parts =
      readImageParts(drawing, [&c](std::string_view id) { return RelTarget(c.relationships, id); });
  return "<img src=\"" + parts.target + "\"" + parts.attributes + " />";
}

void convertDrawings(Conversion& c) {
  RelationshipIndex relationships(c.relationships);
  c.regex.SetPattern(kDrawingPattern);
  rewriteMatches(c.regex, c.text, findDrawingWindow, [&relationships](const TWSRegEx& regex, std::string& out) {
    ImageParts parts = readImageParts(regex.MatchedText(), [&relationships](std::string_view id) {
      return relationships.target(id);
    });
    // The source goes through the template expansion like the whole image text would; the
    // attributes hold only letters and digits, which the expansion leaves alone.
    out += "<img src=\"";
    appendQuotedValue(out, regex.ExpandReplacement(parts.target));
    out += "\"";
    out += parts.attributes;
    out += " />";
  });
}

}  // namespace vellumine
