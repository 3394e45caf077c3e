// The style part read into Styles: the document defaults, then every w:style in the part's order
// with its property blocks and, for table styles, the conditional regions of w:tblStylePr.  A
// style id met again keeps its first definition in byId (Word's reading); chains stay as written.
#include "docx/part_readers.h"
#include "docx/property_elements.h"
#include "docx/property_reader.h"

namespace vellumine::docx {

namespace {

// Each Style holds every region's property blocks (some 34 KB), so a part of a million empty
// w:style elements must not become a million of them.  Word's own limit is lower.
constexpr std::size_t kMaxStyles = 4096;

constexpr EnumName<StyleType> kStyleTypes[] = {
    {"paragraph", StyleType::paragraph},
    {"character", StyleType::character},
    {"table", StyleType::table},
    {"numbering", StyleType::numbering},
};

// w:tblStylePr w:type: the corner cells are named by compass point.
constexpr EnumName<TableRegion> kRegions[] = {
    {"wholeTable", TableRegion::wholeTable},     {"band1Vert", TableRegion::band1Vert},
    {"band2Vert", TableRegion::band2Vert},       {"band1Horz", TableRegion::band1Horz},
    {"band2Horz", TableRegion::band2Horz},       {"firstCol", TableRegion::firstColumn},
    {"lastCol", TableRegion::lastColumn},        {"firstRow", TableRegion::firstRow},
    {"lastRow", TableRegion::lastRow},           {"neCell", TableRegion::topRightCell},
    {"nwCell", TableRegion::topLeftCell},        {"seCell", TableRegion::bottomRightCell},
    {"swCell", TableRegion::bottomLeftCell},
};

std::optional<std::string> valueOf(const pugi::xml_node& element) {
  if (!element) return std::nullopt;
  return std::string(valAttr(element).value());
}

void readRegion(const pugi::xml_node& tblStylePr, Style& style, Warnings& warnings) {
  const auto region = readEnum<TableRegion>(tblStylePr.attribute("w:type"), kRegions);
  if (!region) return;
  TableStyleRegion& target = style.regionToWrite(*region);
  if (target.present) return;  // the first definition of a region holds, as for styles
  target.present = true;
  target.paragraph = readParagraphProps(tblStylePr.child("w:pPr"), warnings);
  target.run = readRunProps(tblStylePr.child("w:rPr"), warnings);
  target.table = readTableProps(tblStylePr.child("w:tblPr"), warnings);
  target.row = readRowProps(tblStylePr.child("w:trPr"), warnings);
  target.cell = readCellProps(tblStylePr.child("w:tcPr"), warnings);
}

// Fills style in place: a Style is large, and a temporary would be copied field by field.
void readStyle(const pugi::xml_node& element, Style& style, Warnings& warnings) {
  style.type = readEnum<StyleType>(element.attribute("w:type"), kStyleTypes).value_or(StyleType::paragraph);
  style.styleId = element.attribute("w:styleId").value();
  style.isDefault = readOnOffAttribute(element.attribute("w:default")).value_or(false);
  style.name = valAttr(element.child("w:name")).value();
  style.basedOn = valueOf(element.child("w:basedOn"));
  style.link = valueOf(element.child("w:link"));
  style.next = valueOf(element.child("w:next"));
  style.paragraph = readParagraphProps(element.child("w:pPr"), warnings);
  style.run = readRunProps(element.child("w:rPr"), warnings);
  style.table = readTableProps(element.child("w:tblPr"), warnings);
  style.row = readRowProps(element.child("w:trPr"), warnings);
  style.cell = readCellProps(element.child("w:tcPr"), warnings);
  for (pugi::xml_node region = element.child("w:tblStylePr"); region; region = region.next_sibling("w:tblStylePr")) {
    readRegion(region, style, warnings);
  }
}

// The number of w:style elements, at most kMaxStyles: the vector is sized once, never moved.
std::size_t countStyles(const pugi::xml_node& stylesRoot) {
  std::size_t count = 0;
  for (pugi::xml_node element = stylesRoot.child("w:style"); element && count < kMaxStyles;
       element = element.next_sibling("w:style")) {
    ++count;
  }
  return count;
}

}  // namespace

Styles readStyles(const pugi::xml_node& stylesRoot, Warnings& warnings) {
  Styles styles;
  const pugi::xml_node defaults = stylesRoot.child("w:docDefaults");
  styles.defaultRun = readRunProps(defaults.child("w:rPrDefault").child("w:rPr"), warnings);
  styles.defaultParagraph = readParagraphProps(defaults.child("w:pPrDefault").child("w:pPr"), warnings);
  styles.styles.reserve(countStyles(stylesRoot));
  for (pugi::xml_node element = stylesRoot.child("w:style"); element; element = element.next_sibling("w:style")) {
    if (styles.styles.size() == kMaxStyles) {
      warnings.add(WarningKind::notShown, "styles past the 4096th left out");
      break;
    }
    Style& style = styles.styles.emplace_back();
    readStyle(element, style, warnings);
    if (!style.styleId.empty()) {
      styles.byId.emplace(style.styleId, static_cast<int>(styles.styles.size() - 1));  // keeps the first
    }
  }
  return styles;
}

}  // namespace vellumine::docx
