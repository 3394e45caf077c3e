// Reads w:drawing, w:pict and w:object into Drawing entries: sizes (wp:extent, a shape's own
// a:xfrm, VML's style), alternative text, wrap (behind or in front of the text when it does not
// wrap) and position, the target of a picture, chart or diagram through the part's relationships,
// a picture's crop, and which text box content a shape holds.  Groups and canvases are walked
// iteratively, so their nesting costs no stack.
#include "docx/drawing_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>
#include <utility>

#include "docx/element_walk.h"
#include "docx/shape_look_reader.h"
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

// An attribute of type xsd:boolean.
bool switchedOn(const pugi::xml_attribute& attribute) {
  const std::string_view value = trimmed(attribute.value());
  return value == "1" || value == "true" || value == "on";
}

WrapKind anchorWrap(const pugi::xml_node& anchor) {
  for (const pugi::xml_node& child : anchor.children()) {
    const std::string_view name = child.name();
    for (const EnumName<WrapKind>& row : kWrapNames) {
      if (row.written == name) return row.value;
    }
  }
  // wp:wrapNone, or no wrap at all: the drawing floats over the text, or under it.
  return switchedOn(anchor.attribute("behindDoc")) ? WrapKind::behindText : WrapKind::inFrontOfText;
}

struct AnchorAxis {
  std::string from, align;
  std::int64_t offsetEmu = 0;
};

// wp:positionH or wp:positionV: what the position is measured from, and an alignment or an offset.
AnchorAxis anchorAxis(const pugi::xml_node& position, Warnings& warnings) {
  AnchorAxis axis;
  axis.from = position.attribute("relativeFrom").value();
  axis.align = std::string(trimmed(position.child("wp:align").text().get()));
  if (const pugi::xml_node offset = position.child("wp:posOffset")) {
    axis.offsetEmu = readEmuText(offset.text().get(), warnings).value_or(0);
  }
  return axis;
}

// Where an anchored drawing stands.  With simplePos on, wp:simplePos gives its top left corner on
// the page and the two positions are not used.
void readAnchorPosition(const pugi::xml_node& anchor, Drawing& frame, Warnings& warnings) {
  if (switchedOn(anchor.attribute("simplePos"))) {
    const pugi::xml_node point = anchor.child("wp:simplePos");
    frame.horizontalFrom = frame.verticalFrom = "page";
    frame.horizontalOffsetEmu = readEmu(point.attribute("x"), warnings).value_or(0);
    frame.verticalOffsetEmu = readEmu(point.attribute("y"), warnings).value_or(0);
    return;
  }
  AnchorAxis horizontal = anchorAxis(anchor.child("wp:positionH"), warnings);
  AnchorAxis vertical = anchorAxis(anchor.child("wp:positionV"), warnings);
  frame.horizontalFrom = std::move(horizontal.from);
  frame.horizontalAlign = std::move(horizontal.align);
  frame.horizontalOffsetEmu = horizontal.offsetEmu;
  frame.verticalFrom = std::move(vertical.from);
  frame.verticalAlign = std::move(vertical.align);
  frame.verticalOffsetEmu = vertical.offsetEmu;
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
    readAnchorPosition(container, frame, warnings);
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
  forEachElementBelow(member, [&cNvPr](const pugi::xml_node& node) {
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
    drawing.look = readShapeLook(node.child("wps:spPr"), node.child("wps:style"), node.child("wps:bodyPr"), warnings);
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

// ---- Groups and canvases ------------------------------------------------------------------------

// Nesting deeper than this is not followed when placing a member: it is placed by its own offset.
constexpr int kMaxPlacedNesting = 64;
// Coordinates past this are broken or hostile; a member's box is kept within it.
constexpr double kMaxPlaceEmu = 9.0e12;

struct Box {
  double x = 0, y = 0, width = 0, height = 0;
};

// The a:xfrm that places a group member in its group: in its shape properties, or (a chart or a
// diagram) in the graphic frame around it.
pugi::xml_node memberTransform(const pugi::xml_node& member) {
  for (const pugi::xml_node& child : member.children()) {
    const std::string_view name = child.name();
    if (name == "pic:spPr" || name == "wps:spPr" || name == "wpg:grpSpPr" || name == "a:spPr") {
      return child.child("a:xfrm");
    }
  }
  // c:chart and dgm:relIds stand in a:graphicData, in a:graphic, in wpg:graphicFrame.
  const pugi::xml_node frame = member.parent().parent().parent();
  if (is(frame, "wpg:graphicFrame")) return frame.child("wpg:xfrm");
  return pugi::xml_node();
}

double attributeEmu(const pugi::xml_node& element, const char* name, Warnings& warnings) {
  return static_cast<double>(readEmu(element.attribute(name), warnings).value_or(0));
}

Box boxOf(const pugi::xml_node& xfrm, const char* offset, const char* extent, Warnings& warnings) {
  const pugi::xml_node off = xfrm.child(offset), ext = xfrm.child(extent);
  return Box{attributeEmu(off, "x", warnings), attributeEmu(off, "y", warnings), attributeEmu(ext, "cx", warnings),
             attributeEmu(ext, "cy", warnings)};
}

// box, in the child space of a group whose child space (chOff, chExt) is shown as target.
Box intoParent(const Box& box, const Box& childSpace, const Box& target) {
  const double scaleX = childSpace.width > 0 ? target.width / childSpace.width : 1.0;
  const double scaleY = childSpace.height > 0 ? target.height / childSpace.height : 1.0;
  return Box{target.x + (box.x - childSpace.x) * scaleX, target.y + (box.y - childSpace.y) * scaleY,
             box.width * scaleX, box.height * scaleY};
}

std::int64_t placeEmu(double value) {
  if (!std::isfinite(value)) return 0;
  return static_cast<std::int64_t>(std::llround(std::clamp(value, -kMaxPlaceEmu, kMaxPlaceEmu)));
}

// Where member lies in the frame of the group or canvas root (the graphic's content): its box
// carried out through each group around it (wpg:grpSp: its a:off/a:ext shows its a:chOff/a:chExt)
// and at last through the root's child space onto the frame.  Nesting past kMaxPlacedNesting keeps
// the member's own box.
void placeMember(const pugi::xml_node& member, const pugi::xml_node& root, Drawing& drawing, Warnings& warnings) {
  Box box = boxOf(memberTransform(member), "a:off", "a:ext", warnings);
  const Box frame{0, 0, static_cast<double>(drawing.place.groupWidthEmu),
                  static_cast<double>(drawing.place.groupHeightEmu)};
  int levels = 0;
  for (pugi::xml_node group = member.parent(); group && group != root && levels < kMaxPlacedNesting;
       group = group.parent(), ++levels) {
    if (!is(group, "wpg:grpSp")) continue;
    const pugi::xml_node xfrm = group.child("wpg:grpSpPr").child("a:xfrm");
    box = intoParent(box, boxOf(xfrm, "a:chOff", "a:chExt", warnings), boxOf(xfrm, "a:off", "a:ext", warnings));
  }
  if (levels < kMaxPlacedNesting && is(root, "wpg:wgp")) {
    const pugi::xml_node xfrm = root.child("wpg:grpSpPr").child("a:xfrm");
    if (xfrm.child("a:chExt")) box = intoParent(box, boxOf(xfrm, "a:chOff", "a:chExt", warnings), frame);
  }
  drawing.place.member = true;
  drawing.place.xEmu = placeEmu(box.x);
  drawing.place.yEmu = placeEmu(box.y);
  if (box.width > 0) drawing.widthEmu = placeEmu(box.width);
  if (box.height > 0) drawing.heightEmu = placeEmu(box.height);
}

bool isGroupRoot(const pugi::xml_node& content) {
  return is(content, "wpg:wgp") || is(content, "wpc:wpc") || is(content, "lc:lockedCanvas");
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
  forEachElementBelow(graphicData ? graphicData : container, [&](const pugi::xml_node& node) {
    DrawingFound found{frame, pugi::xml_node()};
    if (!readGraphicMember(node, relationships, found, warnings)) return !is(node, "w:txbxContent");
    if (node != content) {
      // A member of a group or canvas: its own size and alternative text where it has them.
      readMemberExtent(node, found.drawing, warnings);
      readMemberText(node, found.drawing);
      if (isGroupRoot(content)) {
        found.drawing.place.groupWidthEmu = frame.widthEmu;
        found.drawing.place.groupHeightEmu = frame.heightEmu;
        placeMember(node, content, found.drawing, warnings);
      }
    }
    out.push_back(std::move(found));
    return false;
  });
  if (out.size() == first) {
    Drawing drawing = frame;
    drawing.kind = isGroupRoot(content) ? DrawingKind::group : DrawingKind::unknown;
    out.push_back(DrawingFound{std::move(drawing), pugi::xml_node()});
  } else if (out[first].drawing.place.member) {
    out[first].drawing.place.memberCount = static_cast<std::int32_t>(std::min<std::size_t>(out.size() - first, 1u << 30));
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

// VML's names of what a position is measured from, in DrawingML's words; a name not here is kept
// as written.
constexpr std::pair<std::string_view, std::string_view> kVmlHorizontalFrom[] = {
    {"text", "column"},
    {"char", "character"},
    {"left-margin-area", "leftMargin"},
    {"right-margin-area", "rightMargin"},
    {"inner-margin-area", "insideMargin"},
    {"outer-margin-area", "outsideMargin"},
};
constexpr std::pair<std::string_view, std::string_view> kVmlVerticalFrom[] = {
    {"text", "paragraph"},
    {"top-margin-area", "topMargin"},
    {"bottom-margin-area", "bottomMargin"},
    {"inner-margin-area", "insideMargin"},
    {"outer-margin-area", "outsideMargin"},
};

template <std::size_t N>
std::string vmlFrom(std::string_view written, const std::pair<std::string_view, std::string_view> (&names)[N]) {
  for (const auto& [vml, drawingML] : names) {
    if (vml == written) return std::string(drawingML);
  }
  return std::string(written);
}

// mso-position-horizontal and -vertical: "absolute" places by the offsets, as no alignment does.
std::string vmlAlign(std::string_view written) { return written == "absolute" ? std::string() : std::string(written); }

void readVmlStyle(const pugi::xml_node& shape, Drawing& drawing, Warnings& warnings) {
  bool absolute = false;
  bool behind = false;
  // left and top move the shape from where its margins put it: both count.
  std::int64_t marginLeft = 0, marginTop = 0, left = 0, top = 0;
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
      marginLeft = readVmlLength(value, warnings).value_or(0);
    } else if (name == "margin-top") {
      marginTop = readVmlLength(value, warnings).value_or(0);
    } else if (name == "left") {
      left = readVmlLength(value, warnings).value_or(0);
    } else if (name == "top") {
      top = readVmlLength(value, warnings).value_or(0);
    } else if (name == "mso-position-horizontal") {
      drawing.horizontalAlign = vmlAlign(value);
    } else if (name == "mso-position-horizontal-relative") {
      drawing.horizontalFrom = vmlFrom(value, kVmlHorizontalFrom);
    } else if (name == "mso-position-vertical") {
      drawing.verticalAlign = vmlAlign(value);
    } else if (name == "mso-position-vertical-relative") {
      drawing.verticalFrom = vmlFrom(value, kVmlVerticalFrom);
    }
  });
  // Each length is below 9e15 EMU (readVmlLength), so their sums cannot overflow.
  drawing.horizontalOffsetEmu = marginLeft + left;
  drawing.verticalOffsetEmu = marginTop + top;
  if (!absolute) return;
  drawing.wrap = behind ? WrapKind::behindText : WrapKind::inFrontOfText;
  const pugi::xml_attribute wrapType = shape.child("w10:wrap").attribute("type");
  if (auto wrap = readEnum(wrapType, std::span<const EnumName<WrapKind>>(kVmlWrapNames))) drawing.wrap = *wrap;
}

bool isVmlShape(std::string_view name) {
  return name == "v:shape" || name == "v:rect" || name == "v:roundrect" || name == "v:oval" || name == "v:line" ||
         name == "v:polyline" || name == "v:arc" || name == "v:curve" || name == "v:image";
}

// v:line is placed by its ends (from="0,0" to="72pt,36pt"), not by a width and height: its box
// spans them, flipped when the line runs leftwards or upwards.
void readVmlLineExtent(const pugi::xml_node& line, Drawing& drawing, Warnings& warnings) {
  const auto point = [&warnings](std::string_view written) {
    const std::size_t comma = std::min(written.find(','), written.size());
    const std::int64_t x = readVmlLength(written.substr(0, comma), warnings).value_or(0);
    written.remove_prefix(std::min(comma + 1, written.size()));
    const std::int64_t y = written.empty() ? 0 : readVmlLength(written, warnings).value_or(0);
    return std::pair{x, y};
  };
  const auto [x1, y1] = point(line.attribute("from").value());
  const auto [x2, y2] = point(line.attribute("to").value());
  drawing.widthEmu = x2 >= x1 ? x2 - x1 : x1 - x2;
  drawing.heightEmu = y2 >= y1 ? y2 - y1 : y1 - y2;
  drawing.look.flipH = x2 < x1;
  drawing.look.flipV = y2 < y1;
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
    drawing.look = readVmlLook(shape, warnings);
    if (is(shape, "v:line")) readVmlLineExtent(shape, drawing, warnings);
  }
  return found;
}

// ---- VML groups ----------------------------------------------------------------------------------

// A number of a VML style or attribute; a unit after it is not read (a group's members are
// measured in its coordsize units).
std::optional<double> vmlNumber(std::string_view text) {
  text = trimmed(text);
  double number = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, std::chars_format::fixed);
  if (error != std::errc() || !std::isfinite(number)) return std::nullopt;
  return number;
}

// "x,y" (coordorigin, coordsize, a line's from and to); a part left out keeps its fallback.
std::pair<double, double> vmlPair(std::string_view text, double x, double y) {
  const std::size_t comma = std::min(text.find(','), text.size());
  const double first = vmlNumber(text.substr(0, comma)).value_or(x);
  const double second = comma < text.size() ? vmlNumber(text.substr(comma + 1)).value_or(y) : y;
  return {first, second};
}

// A member's box in its group's coordinates (plain numbers when the group has a coordsize, EMU
// otherwise): the style's left, top, width and height, or a line's ends.
Box vmlMemberBox(const pugi::xml_node& shape, bool coordinates, Warnings& warnings) {
  Box box;
  if (is(shape, "v:line") && coordinates) {
    const auto [x1, y1] = vmlPair(shape.attribute("from").value(), 0, 0);
    const auto [x2, y2] = vmlPair(shape.attribute("to").value(), 0, 0);
    return Box{std::min(x1, x2), std::min(y1, y2), std::fabs(x2 - x1), std::fabs(y2 - y1)};
  }
  forEachStyleDeclaration(shape.attribute("style").value(), [&](std::string_view name, std::string_view value) {
    double* side = name == "left" ? &box.x : name == "top" ? &box.y : name == "width" ? &box.width
                 : name == "height" ? &box.height : nullptr;
    if (side == nullptr) return;
    if (coordinates) {
      *side = vmlNumber(value).value_or(0);
    } else {
      *side = static_cast<double>(readVmlLength(value, warnings).value_or(0));
    }
  });
  return box;
}

bool hasCoordinates(const pugi::xml_node& group) { return !group.attribute("coordsize").empty(); }

// box, in group's coordinates, in the coordinates of group's parent, where the group is groupBox.
Box outOfVmlGroup(const Box& box, const pugi::xml_node& group, const Box& groupBox) {
  if (!hasCoordinates(group)) return Box{groupBox.x + box.x, groupBox.y + box.y, box.width, box.height};
  const auto [originX, originY] = vmlPair(group.attribute("coordorigin").value(), 0, 0);
  const auto [sizeX, sizeY] = vmlPair(group.attribute("coordsize").value(), 1000, 1000);
  return intoParent(box, Box{originX, originY, sizeX, sizeY}, groupBox);
}

// A member of a VML group placed in the frame of the outermost group (top): carried out through
// each v:group around it, each group's box being in its own parent's coordinates.
void placeVmlMember(const pugi::xml_node& member, const pugi::xml_node& top, Drawing& drawing, Warnings& warnings) {
  Box box = vmlMemberBox(member, hasCoordinates(member.parent()), warnings);
  int levels = 0;
  for (pugi::xml_node group = member.parent(); group && levels < kMaxPlacedNesting; group = group.parent(), ++levels) {
    if (!is(group, "v:group")) continue;
    const Box groupBox = group == top ? Box{0, 0, static_cast<double>(drawing.place.groupWidthEmu),
                                            static_cast<double>(drawing.place.groupHeightEmu)}
                                      : vmlMemberBox(group, hasCoordinates(group.parent()), warnings);
    box = outOfVmlGroup(box, group, groupBox);
    if (group == top) break;
  }
  drawing.place.member = true;
  drawing.place.xEmu = placeEmu(box.x);
  drawing.place.yEmu = placeEmu(box.y);
  drawing.widthEmu = placeEmu(std::max(box.width, 0.0));
  drawing.heightEmu = placeEmu(std::max(box.height, 0.0));
}

// A v:group: each shape in it (and in the groups it holds) as a member, with the group's wrap and
// position, placed in the group's frame.
void readVmlGroup(const pugi::xml_node& group, const Relationships& relationships, std::vector<DrawingFound>& out,
                  Warnings& warnings) {
  Drawing frame;
  readVmlStyle(group, frame, warnings);
  const std::size_t first = out.size();
  forEachElementBelow(group, [&](const pugi::xml_node& node) {
    const std::string_view name = node.name();
    if (!isVmlShape(name)) return name != "v:shapetype" && name != "w:txbxContent";
    DrawingFound found = readVmlShape(node, relationships, warnings);
    Drawing& drawing = found.drawing;
    drawing.wrap = frame.wrap;
    drawing.horizontalAlign = frame.horizontalAlign;
    drawing.horizontalOffsetEmu = frame.horizontalOffsetEmu;
    drawing.horizontalFrom = frame.horizontalFrom;
    drawing.verticalAlign = frame.verticalAlign;
    drawing.verticalOffsetEmu = frame.verticalOffsetEmu;
    drawing.verticalFrom = frame.verticalFrom;
    drawing.place.groupWidthEmu = frame.widthEmu;
    drawing.place.groupHeightEmu = frame.heightEmu;
    placeVmlMember(node, group, drawing, warnings);
    out.push_back(std::move(found));
    return false;
  });
  if (out.size() == first) return;
  out[first].drawing.place.memberCount = static_cast<std::int32_t>(std::min<std::size_t>(out.size() - first, 1u << 30));
}

void readVml(const pugi::xml_node& element, const Relationships& relationships, std::vector<DrawingFound>& out,
             Warnings& warnings) {
  forEachElementBelow(element, [&](const pugi::xml_node& node) {
    const std::string_view name = node.name();
    if (name == "v:group") {
      readVmlGroup(node, relationships, out, warnings);
      return false;
    }
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
