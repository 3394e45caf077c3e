// w:sectPr read into SectionProps: page size and orientation, margins, columns (at most Word's
// 45, each listed width kept), the section's start, title page, page numbering, and the header
// and footer references, which the caller's callback turns into indexes of its stories.
#include <algorithm>

#include "docx/property_elements.h"
#include "docx/property_reader.h"

namespace vellumine::docx {

namespace {

// Word lays out at most 45 text columns.
constexpr int kMaxColumns = 45;

constexpr EnumName<SectionStart> kStarts[] = {
    {"nextPage", SectionStart::nextPage}, {"continuous", SectionStart::continuous},
    {"evenPage", SectionStart::evenPage}, {"oddPage", SectionStart::oddPage},
    {"nextColumn", SectionStart::nextColumn},
};

constexpr EnumName<HeaderFooterType> kHeaderFooterTypes[] = {
    {"default", HeaderFooterType::default_},
    {"first", HeaderFooterType::first},
    {"even", HeaderFooterType::even},
};

constexpr EnumName<CellAlign> kPageAligns[] = {
    {"top", CellAlign::top},
    {"center", CellAlign::center},
    {"bottom", CellAlign::bottom},
    {"both", CellAlign::top},
};

// What the section's child readers fill, with the caller's way to the header and footer stories.
struct SectionReading {
  SectionProps props;
  const HeaderFooterIndex* headerFooter = nullptr;
};

void readStart(const pugi::xml_node& child, SectionReading& reading, Warnings&) {
  if (auto start = readEnum<SectionStart>(valAttr(child), kStarts)) reading.props.start = *start;
}

void readPageSize(const pugi::xml_node& child, SectionReading& reading, Warnings& warnings) {
  SectionProps& props = reading.props;
  if (auto width = readTwips(child.attribute("w:w"), warnings)) props.pageWidth = *width;
  if (auto height = readTwips(child.attribute("w:h"), warnings)) props.pageHeight = *height;
  props.landscape = std::string_view(child.attribute("w:orient").value()) == "landscape";
}

void readMargins(const pugi::xml_node& child, SectionReading& reading, Warnings& warnings) {
  SectionProps& props = reading.props;
  const auto either = [&child](const char* preferred, const char* other) {
    const pugi::xml_attribute first = child.attribute(preferred);
    return first ? first : child.attribute(other);
  };
  if (auto v = readTwips(child.attribute("w:top"), warnings)) props.marginTop = *v;
  if (auto v = readTwips(either("w:right", "w:end"), warnings)) props.marginRight = *v;
  if (auto v = readTwips(child.attribute("w:bottom"), warnings)) props.marginBottom = *v;
  if (auto v = readTwips(either("w:left", "w:start"), warnings)) props.marginLeft = *v;
  if (auto v = readTwips(child.attribute("w:header"), warnings)) props.marginHeader = *v;
  if (auto v = readTwips(child.attribute("w:footer"), warnings)) props.marginFooter = *v;
  if (auto v = readTwips(child.attribute("w:gutter"), warnings)) props.marginGutter = *v;
}

// Without w:equalWidth the columns are equal unless the element lists them one by one.
void readColumns(const pugi::xml_node& child, SectionReading& reading, Warnings& warnings) {
  Columns& columns = reading.props.columns;
  if (auto count = readInt(child.attribute("w:num"), warnings)) columns.count = std::clamp(*count, 1, kMaxColumns);
  if (auto space = readTwips(child.attribute("w:space"), warnings)) columns.space = std::max(*space, 0);
  columns.separator = readOnOffAttribute(child.attribute("w:sep")).value_or(false);
  for (pugi::xml_node col = child.child("w:col"); col && columns.columns.size() < kMaxColumns;
       col = col.next_sibling("w:col")) {
    Column column;
    column.width = std::max(readTwips(col.attribute("w:w"), warnings).value_or(0), 0);
    column.space = std::max(readTwips(col.attribute("w:space"), warnings).value_or(0), 0);
    columns.columns.push_back(column);
  }
  columns.equalWidth = readOnOffAttribute(child.attribute("w:equalWidth")).value_or(columns.columns.empty());
}

void readTitlePage(const pugi::xml_node& child, SectionReading& reading, Warnings&) {
  reading.props.titlePage = readOnOff(child).value_or(false);
}

void readBidi(const pugi::xml_node& child, SectionReading& reading, Warnings&) {
  reading.props.bidi = readOnOff(child).value_or(false);
}

void readPageAlign(const pugi::xml_node& child, SectionReading& reading, Warnings&) {
  if (auto align = readEnum<CellAlign>(valAttr(child), kPageAligns)) reading.props.verticalAlign = *align;
}

void readPageNumbers(const pugi::xml_node& child, SectionReading& reading, Warnings& warnings) {
  if (auto start = readInt(child.attribute("w:start"), warnings)) reading.props.pageNumberStart = *start;
  if (auto format = child.attribute("w:fmt")) reading.props.pageNumberFormat = format.value();
}

// A reference without w:type is the default one.
template <bool footer>
void readReference(const pugi::xml_node& child, SectionReading& reading, Warnings&) {
  if (!reading.headerFooter || !*reading.headerFooter) return;
  const auto type = readEnum<HeaderFooterType>(child.attribute("w:type"), kHeaderFooterTypes)
                        .value_or(HeaderFooterType::default_);
  const int index = (*reading.headerFooter)(footer, child.attribute("r:id").value());
  auto& slots = footer ? reading.props.footers : reading.props.headers;
  slots[static_cast<std::size_t>(type)] = index;
}

constexpr ChildReader<SectionReading> kSectionReaders[] = {
    {"w:bidi", readBidi},
    {"w:cols", readColumns},
    {"w:footerReference", readReference<true>},
    {"w:headerReference", readReference<false>},
    {"w:pgMar", readMargins},
    {"w:pgNumType", readPageNumbers},
    {"w:pgSz", readPageSize},
    {"w:titlePg", readTitlePage},
    {"w:type", readStart},
    {"w:vAlign", readPageAlign},
};
static_assert(sortedByName(kSectionReaders));

}  // namespace

SectionProps readSectionProps(const pugi::xml_node& sectPr, const HeaderFooterIndex& headerFooter,
                              Warnings& warnings) {
  SectionReading reading;
  reading.headerFooter = &headerFooter;
  readChildren<SectionReading>(sectPr, kSectionReaders, reading, warnings);
  return reading.props;
}

}  // namespace vellumine::docx
