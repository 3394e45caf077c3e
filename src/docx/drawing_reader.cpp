// Reads w:drawing, w:pict and w:object into Drawing entries: sizes (wp:extent, a shape's own
// a:xfrm, VML's style), alternative text, wrap and horizontal position, the target of a picture,
// chart or diagram through the part's relationships, a picture's crop, and which text box content
// a shape holds.  Groups and canvases are walked iteratively, so their nesting costs no stack.
#include "docx/drawing_reader.h"

#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

#include "docx/xml_names.h"
#include "docx/xml_values.h"
#include "text/chartype.h"

namespace vellumine::docx {

namespace {

constexpr double kEmuPerPoint = 12700.0;

std::string internalTarget(const Relationships& relationships, std::string_view id) {
  if (id.empty()) return std::string();
  const Relationship* relationship = relationships.find(id);
  if (relationship == nullptr || relationship->external) return std::string();
  return relationship->target;
}

// Calls visit for every element below root in document order; visit returns whether to walk the
// element's own content.  Iterative: pictures nested in groups nested in groups cost no stack.
template <typename Visit>
void walkBelow(const pugi::xml_node& root, Visit visit) {
  pugi::xml_node node = root.first_child();
  while (node) {
    const bool descend = node.type() == pugi::node_element && visit(node);
    if (descend && node.first_child()) {
      node = node.first_child();
      continue;
    }
    while (node != root && !node.next_sibling()) node = node.parent();
    if (node == root) break;
    node = node.next_sibling();
  }
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && IsAsciiSpace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && IsAsciiSpace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

// wp:posOffset and its kin hold their number as text.
std::optional<std::int64_t> readEmuText(std::string_view text, Warnings& warnings) {
  const std::string_view number = trimmed(text);
  std::int64_t value = 0;
  const char* first = number.data();
  const char* last = first + number.size();
  if (first != last && *first == '+') ++first;
  auto [end, error] = std::from_chars(first, last, value);
  if (number.empty() || error != std::errc() || end != last) {
    warnings.add(WarningKind::malformedNumber, number);
    return std::nullopt;
  }
  return value;
}

// ---- DrawingML -------------------------------------------------------------------------------

constexpr EnumName<WrapKind> kWrapNames[] = {
    {"wp:wrapSquare", WrapKind::square},
    {"wp:wrapTight", WrapKind::tight},
    {"wp:wrapThrough", WrapKind::through},
    {"wp:wrapTopAndBottom", WrapKind::topAndBottom},
};

WrapKind anchorWrap(const pugi::xml_node& anchor) {
  for (const pugi::xml_node& child : anchor.children()) {
    const std::string_view name = child.name();
    for (const EnumName<WrapKind>& row : kWrapNames) {
      if (row.written == name) return row.value;
    }
  }
  // wp:wrapNone, or no wrap at all: the drawing floats over the text, or under it.
  const std::string_view behind = anchor.attribute("behindDoc").value();
  return behind == "1" || behind == "true" || behind == "on" ? WrapKind::behindText : WrapKind::inFrontOfText;
}

// The frame every drawing of a w:drawing shares: size, alternative text, wrap, position.
Drawing drawingFrame(const pugi::xml_node& container, Warnings& warnings) {
  Drawing frame;
  const pugi::xml_node extent = container.child("wp:extent");
  frame.widthEmu = readEmu(extent.attribute("cx"), warnings).value_or(0);
  frame.heightEmu = readEmu(extent.attribute("cy"), warnings).value_or(0);
  const pugi::xml_node docPr = container.child("wp:docPr");
  frame.description = docPr.attribute("descr").value();
  frame.title = docPr.attribute("title").value();
  if (is(container, "wp:anchor")) {
    frame.wrap = anchorWrap(container);
    const pugi::xml_node positionH = container.child("wp:positionH");
    frame.horizontalFrom = positionH.attribute("relativeFrom").value();
    frame.horizontalAlign = std::string(trimmed(positionH.child("wp:align").text().get()));
    if (const pugi::xml_node offset = positionH.child("wp:posOffset")) {
      frame.horizontalOffsetEmu = readEmuText(offset.text().get(), warnings).value_or(0);
    }
  }
  return frame;
}

// A member's own size, from its shape properties' a:xfrm/a:ext.
void readMemberExtent(const pugi::xml_node& member, Drawing& drawing, Warnings& warnings) {
  for (const pugi::xml_node& child : member.children()) {
    const std::string_view name = child.name();
    if (name != "pic:spPr" && name != "wps:spPr" && name != "wpg:grpSpPr" && name != "a:spPr") continue;
    const pugi::xml_node ext = child.child("a:xfrm").child("a:ext");
    if (!ext) continue;
    if (auto cx = readEmu(ext.attribute("cx"), warnings)) drawing.widthEmu = *cx;
    if (auto cy = readEmu(ext.attribute("cy"), warnings)) drawing.heightEmu = *cy;
    return;
  }
}

// A member's own alternative text, from its non-visual properties (pic:nvPicPr/pic:cNvPr, wps:cNvPr).
void readMemberText(const pugi::xml_node& member, Drawing& drawing) {
  pugi::xml_node cNvPr;
  walkBelow(member, [&cNvPr](const pugi::xml_node& node) {
    const std::string_view name = node.name();
    if (!cNvPr && name.size() >= 5 && name.substr(name.size() - 5) == "cNvPr") cNvPr = node;
    return !cNvPr && name.find("nv") != std::string_view::npos;
  });
  if (!cNvPr) return;
  if (const char* descr = cNvPr.attribute("descr").value(); *descr) drawing.description = descr;
  if (const char* title = cNvPr.attribute("title").value(); *title) drawing.title = title;
}

void readPicture(const pugi::xml_node& picture, const Relationships& relationships, Drawing& drawing,
                 Warnings& warnings) {
  drawing.kind = DrawingKind::picture;
  const pugi::xml_node blipFill = picture.child("pic:blipFill");
  drawing.target = internalTarget(relationships, blipFill.child("a:blip").attribute("r:embed").value());
  const pugi::xml_node crop = blipFill.child("a:srcRect");
  drawing.cropLeft = readInt(crop.attribute("l"), warnings).value_or(0);
  drawing.cropTop = readInt(crop.attribute("t"), warnings).value_or(0);
  drawing.cropRight = readInt(crop.attribute("r"), warnings).value_or(0);
  drawing.cropBottom = readInt(crop.attribute("b"), warnings).value_or(0);
}

// The element that makes a drawing of what it stands in (a picture, a shape, a chart, a diagram)
// read into found; false for any other element.
bool readGraphicMember(const pugi::xml_node& node, const Relationships& relationships, DrawingFound& found,
                       Warnings& warnings) {
  Drawing& drawing = found.drawing;
  if (is(node, "pic:pic")) {
    readPicture(node, relationships, drawing, warnings);
  } else if (is(node, "wps:wsp")) {
    found.textBoxContent = node.child("wps:txbx").child("w:txbxContent");
    drawing.kind = found.textBoxContent ? DrawingKind::textBox : DrawingKind::shape;
  } else if (is(node, "c:chart")) {
    drawing.kind = DrawingKind::chart;
    drawing.target = internalTarget(relationships, node.attribute("r:id").value());
  } else if (is(node, "dgm:relIds")) {
    drawing.kind = DrawingKind::smartArt;
    drawing.target = internalTarget(relationships, node.attribute("r:dm").value());
  } else {
    return false;
  }
  return true;
}

void readDrawingML(const pugi::xml_node& element, const Relationships& relationships,
                   std::vector<DrawingFound>& out, Warnings& warnings) {
  pugi::xml_node container = element.child("wp:inline");
  if (!container) container = element.child("wp:anchor");
  if (!container) container = element;
  const Drawing frame = drawingFrame(container, warnings);
  const pugi::xml_node graphicData = container.child("a:graphic").child("a:graphicData");
  const pugi::xml_node content = graphicData.first_child();
  const std::size_t first = out.size();
  walkBelow(graphicData ? graphicData : container, [&](const pugi::xml_node& node) {
    DrawingFound found{frame, pugi::xml_node()};
    if (!readGraphicMember(node, relationships, found, warnings)) return !is(node, "w:txbxContent");
    if (node != content) {
      // A member of a group or canvas: its own size and alternative text where it has them.
      readMemberExtent(node, found.drawing, warnings);
      readMemberText(node, found.drawing);
    }
    out.push_back(std::move(found));
    return false;
  });
  if (out.size() == first) {
    Drawing drawing = frame;
    const bool group = is(content, "wpg:wgp") || is(content, "wpc:wpc") || is(content, "lc:lockedCanvas");
    drawing.kind = group ? DrawingKind::group : DrawingKind::unknown;
    out.push_back(DrawingFound{std::move(drawing), pugi::xml_node()});
  }
}

// ---- VML -------------------------------------------------------------------------------------

// EMU per unit of a VML length; unitless lengths are pixels.
double emuPerVmlUnit(std::string_view unit) {
  if (unit == "pt") return kEmuPerPoint;
  if (unit == "in") return 914400.0;
  if (unit == "cm") return 360000.0;
  if (unit == "mm") return 36000.0;
  if (unit == "pc") return 12.0 * kEmuPerPoint;
  if (unit == "px" || unit.empty()) return 9525.0;
  return 0.0;
}

std::optional<std::int64_t> readVmlLength(std::string_view text, Warnings& warnings) {
  text = trimmed(text);
  double number = 0;
  const char* first = text.data();
  const char* last = first + text.size();
  auto [end, error] = std::from_chars(first, last, number, std::chars_format::fixed);
  const std::string_view unit = trimmed(std::string_view(end, static_cast<std::size_t>(last - end)));
  const double factor = error == std::errc() ? emuPerVmlUnit(unit) : 0.0;
  const double emu = number * factor;
  if (factor == 0.0 || !std::isfinite(emu) || std::fabs(emu) > 9.0e15) {
    warnings.add(WarningKind::malformedNumber, text);
    return std::nullopt;
  }
  return static_cast<std::int64_t>(std::llround(emu));
}

// Calls use(name, value) for each declaration of a VML style attribute ("width:72pt;height:1in").
template <typename Use>
void forEachStyleDeclaration(std::string_view style, Use use) {
  while (!style.empty()) {
    const std::size_t semicolon = std::min(style.find(';'), style.size());
    const std::string_view declaration = style.substr(0, semicolon);
    style.remove_prefix(std::min(semicolon + 1, style.size()));
    const std::size_t colon = declaration.find(':');
    if (colon == std::string_view::npos) continue;
    use(trimmed(declaration.substr(0, colon)), trimmed(declaration.substr(colon + 1)));
  }
}

constexpr EnumName<WrapKind> kVmlWrapNames[] = {
    {"square", WrapKind::square},
    {"tight", WrapKind::tight},
    {"through", WrapKind::through},
    {"topAndBottom", WrapKind::topAndBottom},
};

void readVmlStyle(const pugi::xml_node& shape, Drawing& drawing, Warnings& warnings) {
  bool absolute = false;
  bool behind = false;
  forEachStyleDeclaration(shape.attribute("style").value(), [&](std::string_view name, std::string_view value) {
    if (name == "width") {
      drawing.widthEmu = readVmlLength(value, warnings).value_or(0);
    } else if (name == "height") {
      drawing.heightEmu = readVmlLength(value, warnings).value_or(0);
    } else if (name == "position") {
      absolute = value == "absolute";
    } else if (name == "z-index") {
      behind = !value.empty() && value.front() == '-';
    } else if (name == "margin-left") {
      drawing.horizontalOffsetEmu = readVmlLength(value, warnings).value_or(0);
    } else if (name == "mso-position-horizontal") {
      drawing.horizontalAlign = std::string(value);
    } else if (name == "mso-position-horizontal-relative") {
      drawing.horizontalFrom = std::string(value);
    }
  });
  if (!absolute) return;
  drawing.wrap = behind ? WrapKind::behindText : WrapKind::inFrontOfText;
  const pugi::xml_attribute wrapType = shape.child("w10:wrap").attribute("type");
  if (auto wrap = readEnum(wrapType, std::span<const EnumName<WrapKind>>(kVmlWrapNames))) drawing.wrap = *wrap;
}

bool isVmlShape(std::string_view name) {
  return name == "v:shape" || name == "v:rect" || name == "v:roundrect" || name == "v:oval" || name == "v:line" ||
         name == "v:polyline" || name == "v:arc" || name == "v:curve" || name == "v:image";
}

DrawingFound readVmlShape(const pugi::xml_node& shape, const Relationships& relationships, Warnings& warnings) {
  DrawingFound found;
  Drawing& drawing = found.drawing;
  readVmlStyle(shape, drawing, warnings);
  drawing.description = shape.attribute("alt").value();
  drawing.title = shape.attribute("o:title").value();
  const pugi::xml_node imageData = shape.child("v:imagedata");
  found.textBoxContent = shape.child("v:textbox").child("w:txbxContent");
  if (imageData || is(shape, "v:image")) {
    const pugi::xml_node source = imageData ? imageData : shape;
    std::string_view id = source.attribute("r:id").value();
    if (id.empty()) id = source.attribute("o:relid").value();
    drawing.kind = DrawingKind::picture;
    drawing.target = internalTarget(relationships, id);
    if (drawing.title.empty()) drawing.title = source.attribute("o:title").value();
  } else {
    drawing.kind = found.textBoxContent ? DrawingKind::textBox : DrawingKind::shape;
  }
  return found;
}

void readVml(const pugi::xml_node& element, const Relationships& relationships, std::vector<DrawingFound>& out,
             Warnings& warnings) {
  walkBelow(element, [&](const pugi::xml_node& node) {
    const std::string_view name = node.name();
    if (isVmlShape(name)) {
      out.push_back(readVmlShape(node, relationships, warnings));
      return false;
    }
    if (name == "w:drawing") {
      readDrawingML(node, relationships, out, warnings);
      return false;
    }
    return name != "v:shapetype" && name != "w:txbxContent";
  });
}

// An embedded object shows its preview picture; without one, a box of the object's size.
void readObject(const pugi::xml_node& object, const Relationships& relationships, std::vector<DrawingFound>& out,
                Warnings& warnings) {
  const std::size_t first = out.size();
  readVml(object, relationships, out, warnings);
  for (std::size_t i = first; i < out.size(); ++i) {
    if (out[i].drawing.kind == DrawingKind::picture) out[i].drawing.kind = DrawingKind::object;
  }
  if (out.size() > first) return;
  DrawingFound found;
  found.drawing.kind = DrawingKind::object;
  // w:dxaOrig and w:dyaOrig: the object's size in twips (635 EMU each).
  const auto emuOf = [&warnings](const pugi::xml_attribute& twips) {
    return std::int64_t{635} * readTwips(twips, warnings).value_or(0);
  };
  found.drawing.widthEmu = emuOf(object.attribute("w:dxaOrig"));
  found.drawing.heightEmu = emuOf(object.attribute("w:dyaOrig"));
  out.push_back(std::move(found));
}

}  // namespace

std::vector<DrawingFound> readDrawings(const pugi::xml_node& element, const Relationships& relationships,
                                       Warnings& warnings) {
  std::vector<DrawingFound> out;
  if (is(element, "w:drawing")) {
    readDrawingML(element, relationships, out, warnings);
  } else if (is(element, "w:object")) {
    readObject(element, relationships, out, warnings);
  } else {
    readVml(element, relationships, out, warnings);
  }
  return out;
}

}  // namespace vellumine::docx
