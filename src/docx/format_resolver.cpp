// The resolver: lays document defaults, the table style's regions, the numbering level, the
// paragraph and character style chains and direct formatting over each other (format_resolver.h
// gives the order) and caches every result by what it depends on, so that a run costs one hash
// lookup once a run of its kind was resolved.  Style chains are flattened once per style and table
// style levels once per (style, regions).
#include "docx/format_resolver.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <optional>
#include <unordered_map>

#include "docx/flat_style.h"
#include "docx/format_values.h"
#include "docx/numbering_levels.h"
#include "docx/property_layers.h"
#include "docx/style_chain.h"
#include "docx/table_format.h"
#include "docx/table_regions.h"
#include "docx/theme_values.h"
#include "docx/toggle_properties.h"

namespace vellumine::docx {
namespace {

// What a resolved format depends on: the paragraph's properties (for a run only the paragraph's
// style, so runs of differently indented paragraphs share results), the run's (or the label's),
// the table style and the regions that apply to the cell.  Not the table's own properties: cells
// of every table in one style share their results.
struct FormatKey {
  std::uint32_t paragraphProps = 0;  // or the paragraph style's index + 1 for a run
  std::uint32_t runProps = 0;
  const Style* tableStyle = nullptr;
  RegionMask regions = 0;
  friend bool operator==(const FormatKey&, const FormatKey&) = default;
};

struct FormatKeyHash {
  std::size_t operator()(const FormatKey& key) const {
    std::uint64_t h = key.paragraphProps;
    h = h * 0x9E3779B97F4A7C15ull + key.runProps;
    h = h * 0x9E3779B97F4A7C15ull + reinterpret_cast<std::uintptr_t>(key.tableStyle);
    h = h * 0x9E3779B97F4A7C15ull + key.regions;
    return static_cast<std::size_t>(h ^ (h >> 29));
  }
};

FormatKey keyOf(std::uint32_t paragraphProps, std::uint32_t runProps, const CellContext& cell) {
  return FormatKey{paragraphProps, runProps, cell.tableStyle, cell.regions};
}

// What a table style gives the paragraphs of one kind of cell: its own w:pPr and w:rPr with those
// of the regions that apply laid over them in region order.
struct TableLevel {
  ParagraphProps paragraph;
  RunProps run;
};

// Font sizes of the Normal style that a table style's size replaces (see tableOverridesNormal).
constexpr int kNormalElevenPoints = 22;
constexpr int kNormalTwelvePoints = 24;

}  // namespace

struct FormatResolver::Impl {
  explicit Impl(const Document& doc)
      : document(doc),
        defaultParagraphStyle(defaultStyle(doc.styles, StyleType::paragraph)),
        flatStyles(doc.styles.styles.size()) {}

  const Document& document;
  const Style* defaultParagraphStyle;
  std::vector<std::unique_ptr<FlatStyle>> flatStyles;  // by index in Styles::styles
  FlatStyle noStyle;
  std::unordered_map<FormatKey, TableLevel, FormatKeyHash> tableLevels;
  std::unordered_map<FormatKey, ParagraphFormat, FormatKeyHash> paragraphs;
  std::unordered_map<FormatKey, RunFormat, FormatKeyHash> runs;
  std::unordered_map<FormatKey, RunFormat, FormatKeyHash> labels;
  // The paragraph style of each paragraph property set, by index in the pool (found once each).
  std::vector<const Style*> paragraphStyles;
  std::vector<char> paragraphStyleKnown;

  const Style* paragraphStyleOf(std::uint32_t props) {
    if (props >= paragraphStyles.size()) {
      const std::size_t size = std::max<std::size_t>(document.paragraphProps.items.size(), props + 1);
      paragraphStyles.resize(size, nullptr);
      paragraphStyleKnown.resize(size, 0);
    }
    if (!paragraphStyleKnown[props]) {
      paragraphStyles[props] = paragraphStyleFor(document.styles, paragraphProps(props).styleId);
      paragraphStyleKnown[props] = 1;
    }
    return paragraphStyles[props];
  }

  // A run's key: the paragraph's style in place of its properties.
  FormatKey runKey(const Paragraph& paragraph, std::uint32_t runProps, const CellContext& cell) {
    const Style* style = paragraphStyleOf(paragraph.props);
    const auto styleKey =
        style == nullptr ? 0u : static_cast<std::uint32_t>(style - document.styles.styles.data()) + 1;
    return FormatKey{styleKey, runProps, cell.tableStyle, cell.regions};
  }

  const ParagraphProps& paragraphProps(std::uint32_t index) const {
    const auto& items = document.paragraphProps.items;
    return index < items.size() ? items[index] : items[0];
  }

  const RunProps& runProps(std::uint32_t index) const {
    const auto& items = document.runProps.items;
    return index < items.size() ? items[index] : items[0];
  }

  const FlatStyle& flat(const Style* style) {
    if (style == nullptr) return noStyle;
    const auto index = static_cast<std::size_t>(style - document.styles.styles.data());
    if (index >= flatStyles.size()) return noStyle;
    if (!flatStyles[index]) flatStyles[index] = std::make_unique<FlatStyle>(flattenStyle(document.styles, style));
    return *flatStyles[index];
  }

  // Null outside a table or for a table without a style.
  const TableLevel* tableLevel(const CellContext& cell) {
    if (cell.tableStyle == nullptr) return nullptr;
    const FormatKey key{0, 0, cell.tableStyle, cell.regions};
    const auto found = tableLevels.find(key);
    if (found != tableLevels.end()) return &found->second;
    const FlatStyle& style = flat(cell.tableStyle);
    TableLevel level{style.paragraph, style.run};
    for (int r = 0; r < kTableRegionCount; ++r) {
      const TableStyleRegion& region = style.regions[static_cast<std::size_t>(r)];
      if (!region.present || (cell.regions & regionBit(static_cast<TableRegion>(r))) == 0) continue;
      overlayParagraph(level.paragraph, region.paragraph);
      overlayRun(level.run, region.run);
    }
    return &tableLevels.emplace(key, std::move(level)).first->second;
  }

  // Word's old rule, kept for documents without the compatibility setting that turns it off: in a
  // table, the Normal style's font size of 11 or 12 pt and its left justification give way to the
  // table style's.
  bool tableOverridesNormal(const Style* paragraphStyle) const {
    return paragraphStyle != nullptr && paragraphStyle == defaultParagraphStyle &&
           !document.settings.overrideTableStyleFontSizeAndJustification;
  }

  ParagraphFormat computeParagraph(const Paragraph& paragraph, const CellContext& cell) {
    const ParagraphProps& direct = paragraphProps(paragraph.props);
    const Style* style = paragraphStyleFor(document.styles, direct.styleId);
    const FlatStyle& styleFlat = flat(style);
    const TableLevel* table = tableLevel(cell);
    const ParagraphNumbering numbering =
        paragraphNumbering(document, direct.numbering, styleFlat.paragraph.numbering, style);
    const ParagraphProps* level = numbering.definition != nullptr ? &numbering.definition->paragraph : nullptr;

    ParagraphProps merged = document.styles.defaultParagraph;
    if (table != nullptr) overlayParagraph(merged, table->paragraph);
    // A level that comes with the style lies under the style; one the paragraph names lies over it.
    if (level != nullptr && numbering.fromStyle) overlayParagraph(merged, *level);
    overlayParagraph(merged, styleFlat.paragraph);
    if (table != nullptr && table->paragraph.justification && tableOverridesNormal(style) &&
        styleFlat.paragraph.justification == Justification::start) {
      merged.justification = table->paragraph.justification;
    }
    if (level != nullptr && !numbering.fromStyle) overlayParagraph(merged, *level);
    overlayParagraph(merged, direct);

    ParagraphFormat format = paragraphFormatOf(merged, document);
    if (style != nullptr) format.styleId = style->styleId;
    format.numId = numbering.numId;
    format.numLevel = numbering.level;
    format.mark = cascadeRun(style, styleFlat, table, direct.markRunProps, nullptr);
    return format;
  }

  // The run levels in order; over (a label's level formatting) lies on top of direct and is as
  // absolute as direct formatting.
  RunFormat cascadeRun(const Style* paragraphStyle, const FlatStyle& styleFlat, const TableLevel* table,
                       const RunProps& direct, const RunProps* over) {
    const Style* characterStyle = characterStyleFor(document.styles, direct.styleId);
    const FlatStyle& characterFlat = flat(characterStyle);

    // Direct formatting with a label's level formatting over it (copied only for labels).
    std::optional<RunProps> withOver;
    if (over != nullptr) {
      withOver = direct;
      overlayRun(*withOver, *over);
    }
    const RunProps& absolute = withOver ? *withOver : direct;

    RunProps merged = document.styles.defaultRun;
    if (table != nullptr) overlayRun(merged, table->run);
    overlayRun(merged, styleFlat.run);
    if (table != nullptr && table->run.size && tableOverridesNormal(paragraphStyle) &&
        (styleFlat.run.size == kNormalElevenPoints || styleFlat.run.size == kNormalTwelvePoints)) {
      merged.size = table->run.size;
    }
    overlayRun(merged, characterFlat.run);
    overlayRun(merged, absolute);

    ToggleLevels levels;
    levels.defaults = &document.styles.defaultRun;
    levels.table = table != nullptr ? &table->run : nullptr;
    levels.paragraph = &styleFlat.run;
    levels.character = characterStyle != nullptr ? &characterFlat.run : nullptr;
    // A run in its paragraph style's linked character style is in one style twice: its toggles are
    // not turned off again.
    levels.characterLinked = characterStyle != nullptr && paragraphStyle != nullptr &&
                             characterStyle == linkedStyle(document.styles, *paragraphStyle, StyleType::character);
    levels.direct = &absolute;
    return runFormatOf(merged, resolveToggles(levels), document);
  }

  RunFormat computeRun(const Paragraph& paragraph, const RunProps& direct, const RunProps* over,
                       const CellContext& cell) {
    const Style* style = paragraphStyleOf(paragraph.props);
    return cascadeRun(style, flat(style), tableLevel(cell), direct, over);
  }
};

FormatResolver::FormatResolver(const Document& document) : impl_(std::make_unique<Impl>(document)) {}

FormatResolver::~FormatResolver() = default;

const ParagraphFormat& FormatResolver::paragraph(const Paragraph& paragraph, const CellContext& cell) {
  const FormatKey key = keyOf(paragraph.props, 0, cell);
  const auto found = impl_->paragraphs.find(key);
  if (found != impl_->paragraphs.end()) return found->second;
  return impl_->paragraphs.emplace(key, impl_->computeParagraph(paragraph, cell)).first->second;
}

const RunFormat& FormatResolver::run(const Paragraph& paragraph, std::uint32_t runProps, const CellContext& cell) {
  const FormatKey key = impl_->runKey(paragraph, runProps, cell);
  const auto found = impl_->runs.find(key);
  if (found != impl_->runs.end()) return found->second;
  return impl_->runs.emplace(key, impl_->computeRun(paragraph, impl_->runProps(runProps), nullptr, cell))
      .first->second;
}

const RunFormat& FormatResolver::label(const Paragraph& paragraph, const ListLabel& label, const CellContext& cell) {
  const FormatKey key = keyOf(paragraph.props, label.runProps, cell);
  const auto found = impl_->labels.find(key);
  if (found != impl_->labels.end()) return found->second;
  const RunProps& mark = impl_->paragraphProps(paragraph.props).markRunProps;
  const RunProps& level = impl_->runProps(label.runProps);
  return impl_->labels.emplace(key, impl_->computeRun(paragraph, mark, &level, cell)).first->second;
}

ResolvedTable FormatResolver::table(const Table& table) {
  const Document& document = impl_->document;
  const auto& tableProps = document.tableProps.items;
  const TableProps& direct = table.props < tableProps.size() ? tableProps[table.props] : tableProps[0];
  const Style* style = tableStyleFor(document.styles, direct.styleId);
  return resolveTableFormat(table, document, style, impl_->flat(style));
}

std::optional<Rgb> FormatResolver::color(const Color& color) const {
  return resolveColor(color, impl_->document.theme, impl_->document.settings);
}

}  // namespace vellumine::docx
