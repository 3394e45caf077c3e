// w:pPr read into ParagraphProps: spacing, indentation (w:hanging as a negative first line),
// numbering, borders, shading, tab stops (at most Word's 64), outline level, drop caps and the
// paragraph mark's run properties.  A w:sectPr inside w:pPr belongs to the document reader.
#include <algorithm>
#include <limits>

#include "docx/property_elements.h"
#include "docx/property_reader.h"

namespace vellumine::docx {

namespace {

// Word keeps at most 64 tab stops on a paragraph; a style with more keeps the first 64.
constexpr std::size_t kMaxTabStops = 64;

constexpr EnumName<LineRule> kLineRules[] = {
    {"auto", LineRule::auto_},
    {"exact", LineRule::exact},
    {"atLeast", LineRule::atLeast},
};

constexpr EnumName<TabAlignment> kTabAlignments[] = {
    {"left", TabAlignment::start},   {"start", TabAlignment::start}, {"center", TabAlignment::center},
    {"right", TabAlignment::end},    {"end", TabAlignment::end},     {"decimal", TabAlignment::decimal},
    {"bar", TabAlignment::bar},      {"num", TabAlignment::num},     {"clear", TabAlignment::clear},
};

constexpr EnumName<TabLeader> kTabLeaders[] = {
    {"none", TabLeader::none},           {"dot", TabLeader::dot},     {"hyphen", TabLeader::hyphen},
    {"underscore", TabLeader::underscore}, {"heavy", TabLeader::heavy}, {"middleDot", TabLeader::middleDot},
};

constexpr EnumName<DropCap> kDropCaps[] = {
    {"none", DropCap::none},
    {"drop", DropCap::drop},
    {"margin", DropCap::margin},
};

template <std::optional<bool> ParagraphProps::*field>
void readSwitch(const pugi::xml_node& child, ParagraphProps& props, Warnings&) {
  props.*field = readOnOff(child);
}

void readStyle(const pugi::xml_node& child, ParagraphProps& props, Warnings&) {
  props.styleId = valAttr(child).value();
}

void readJustificationElement(const pugi::xml_node& child, ParagraphProps& props, Warnings&) {
  if (auto justification = readJustification(child)) props.justification = *justification;
}

void readSpacing(const pugi::xml_node& child, ParagraphProps& props, Warnings& warnings) {
  Spacing& spacing = props.spacing;
  if (auto v = readTwips(child.attribute("w:before"), warnings)) spacing.before = *v;
  if (auto v = readTwips(child.attribute("w:after"), warnings)) spacing.after = *v;
  if (auto v = readInt(child.attribute("w:beforeLines"), warnings)) spacing.beforeLines = *v;
  if (auto v = readInt(child.attribute("w:afterLines"), warnings)) spacing.afterLines = *v;
  if (auto v = readOnOffAttribute(child.attribute("w:beforeAutospacing"))) spacing.beforeAutospacing = *v;
  if (auto v = readOnOffAttribute(child.attribute("w:afterAutospacing"))) spacing.afterAutospacing = *v;
  // In 240ths of a line for "auto", in twips otherwise; Strict writes the twips with a unit.
  if (auto v = readTwips(child.attribute("w:line"), warnings)) spacing.line = *v;
  if (auto v = readEnum<LineRule>(child.attribute("w:lineRule"), kLineRules)) spacing.lineRule = *v;
}

// The first of two attribute names that is present (w:start before w:left).
pugi::xml_attribute eitherAttribute(const pugi::xml_node& element, const char* preferred, const char* other) {
  const pugi::xml_attribute first = element.attribute(preferred);
  return first ? first : element.attribute(other);
}

// The *Chars variants (indents in hundredths of a character) are not read: the twips beside them
// are what the page can draw.
void readIndentation(const pugi::xml_node& child, ParagraphProps& props, Warnings& warnings) {
  Indentation& indentation = props.indentation;
  if (auto v = readTwips(eitherAttribute(child, "w:start", "w:left"), warnings)) indentation.start = *v;
  if (auto v = readTwips(eitherAttribute(child, "w:end", "w:right"), warnings)) indentation.end = *v;
  if (auto v = readTwips(child.attribute("w:firstLine"), warnings)) indentation.firstLine = *v;
  if (auto hanging = readTwips(child.attribute("w:hanging"), warnings)) {
    indentation.firstLine = *hanging == std::numeric_limits<int>::min() ? std::numeric_limits<int>::max() : -*hanging;
  }
}

void readNumbering(const pugi::xml_node& child, ParagraphProps& props, Warnings& warnings) {
  if (auto level = readInt(valAttr(child.child("w:ilvl")), warnings)) {
    props.numbering.level = std::clamp(*level, 0, 8);
  }
  if (auto numId = readInt(valAttr(child.child("w:numId")), warnings)) props.numbering.numId = *numId;
}

void readBorders(const pugi::xml_node& child, ParagraphProps& props, Warnings& warnings) {
  ParagraphBorders& borders = props.borders;
  for (pugi::xml_node side = child.first_child(); side; side = side.next_sibling()) {
    std::optional<Border>* slot = nullptr;
    switch (edgeOf(side)) {
      case Edge::top: slot = &borders.top; break;
      case Edge::start: slot = &borders.start; break;
      case Edge::bottom: slot = &borders.bottom; break;
      case Edge::end: slot = &borders.end; break;
      case Edge::between: slot = &borders.between; break;
      case Edge::bar: slot = &borders.bar; break;
      default: break;
    }
    if (slot) *slot = readBorder(side, warnings);
  }
}

void readShadingElement(const pugi::xml_node& child, ParagraphProps& props, Warnings& warnings) {
  props.shading = readShading(child, warnings);
}

// A stop without a readable position is left out; an unknown alignment is a start stop.
void readTabs(const pugi::xml_node& child, ParagraphProps& props, Warnings& warnings) {
  for (pugi::xml_node tab = child.child("w:tab"); tab && props.tabs.size() < kMaxTabStops;
       tab = tab.next_sibling("w:tab")) {
    auto position = readTwips(tab.attribute("w:pos"), warnings);
    if (!position) continue;
    TabStop stop;
    stop.position = *position;
    stop.alignment = readEnum<TabAlignment>(valAttr(tab), kTabAlignments).value_or(TabAlignment::start);
    stop.leader = readEnum<TabLeader>(tab.attribute("w:leader"), kTabLeaders).value_or(TabLeader::none);
    props.tabs.push_back(stop);
  }
}

void readOutlineLevel(const pugi::xml_node& child, ParagraphProps& props, Warnings& warnings) {
  if (auto level = readInt(valAttr(child), warnings)) props.outlineLevel = std::clamp(*level, 0, 9);
}

void readFrame(const pugi::xml_node& child, ParagraphProps& props, Warnings& warnings) {
  FrameProps frame;
  frame.dropCap = readEnum<DropCap>(child.attribute("w:dropCap"), kDropCaps).value_or(DropCap::none);
  // Word's drop caps span 1 to 10 lines.
  if (auto lines = readInt(child.attribute("w:lines"), warnings)) frame.lines = std::clamp(*lines, 1, 10);
  props.frame = frame;
}

void readMarkRunProps(const pugi::xml_node& child, ParagraphProps& props, Warnings& warnings) {
  props.markRunProps = readRunProps(child, warnings);
}

// Sorted by name (checked below).
constexpr ChildReader<ParagraphProps> kParagraphReaders[] = {
    {"w:bidi", readSwitch<&ParagraphProps::bidi>},
    {"w:contextualSpacing", readSwitch<&ParagraphProps::contextualSpacing>},
    {"w:framePr", readFrame},
    {"w:ind", readIndentation},
    {"w:jc", readJustificationElement},
    {"w:keepLines", readSwitch<&ParagraphProps::keepLines>},
    {"w:keepNext", readSwitch<&ParagraphProps::keepNext>},
    {"w:numPr", readNumbering},
    {"w:outlineLvl", readOutlineLevel},
    {"w:pBdr", readBorders},
    {"w:pStyle", readStyle},
    {"w:pageBreakBefore", readSwitch<&ParagraphProps::pageBreakBefore>},
    {"w:rPr", readMarkRunProps},
    {"w:shd", readShadingElement},
    {"w:spacing", readSpacing},
    {"w:suppressLineNumbers", readSwitch<&ParagraphProps::suppressLineNumbers>},
    {"w:tabs", readTabs},
    {"w:widowControl", readSwitch<&ParagraphProps::widowControl>},
};
static_assert(sortedByName(kParagraphReaders));

}  // namespace

ParagraphProps readParagraphProps(const pugi::xml_node& pPr, Warnings& warnings) {
  ParagraphProps props;
  readChildren<ParagraphProps>(pPr, kParagraphReaders, props, warnings);
  return props;
}

}  // namespace vellumine::docx
