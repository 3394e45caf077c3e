// List labels: every paragraph of each story in reading order (tables included, walked with an
// explicit stack), its numbering found through numbering_levels, the list's counters advanced and
// the level's w:lvlText written with each placeholder in its level's format.  A story starts with
// fresh counters; within it, the instances of one abstract list share counters unless an instance
// overrides a start (w:startOverride or w:lvlOverride/w:lvl), which gives it counters of its own
// whose first use of that level starts at the override.
#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

#include "docx/list_labels.h"
#include "docx/numbering_levels.h"
#include "docx/paragraph_walk.h"
#include "docx/style_chain.h"
#include "docx/symbol_characters.h"

namespace vellumine::docx {
namespace {

// The most bytes of a w:lvlText that are read; Word's own are a few characters.
constexpr std::size_t kMaxLevelText = 256;

struct Counters {
  std::array<int, kListLevelCount> value{};
  std::array<bool, kListLevelCount> started{};
};

bool hasStartOverride(const NumberingInstance& instance) {
  for (const LevelOverride& override : instance.overrides) {
    if (override.startOverride || (override.level && override.level->present)) return true;
  }
  return false;
}

// The start of a level as the instance draws it the first time.
int overrideStart(const NumberingInstance& instance, int level, const ListLevel& definition) {
  const LevelOverride& override = instance.overrides[static_cast<std::size_t>(level)];
  return override.startOverride ? *override.startOverride : definition.start;
}

// A level below `advanced` starts again unless its w:lvlRestart says it restarts only after a
// level above `advanced` (or never, 0).
bool restartsAfter(const ListLevel* definition, int advanced) {
  if (definition == nullptr || !definition->restartAfter) return true;
  const int after = *definition->restartAfter;
  return after != 0 && advanced < after;
}

class LabelWriter {
 public:
  explicit LabelWriter(Document& document) : document_(document) {}

  void story(Story& story) {
    counters_.clear();
    firstUse_.clear();
    forEachParagraph(story, [this](Paragraph& paragraph) { label(paragraph); });
  }

 private:
  void label(Paragraph& paragraph) {
    paragraph.listLabel = -1;
    const ParagraphProps& own = paragraphProps(paragraph);
    const Style* style = paragraphStyleFor(document_.styles, own.styleId);
    const ParagraphNumbering numbering = paragraphNumbering(document_, own.numbering, numberingOfStyle(style), style);
    if (numbering.numId == 0) return;
    const int value = advance(numbering);
    ListLabel label;
    label.numId = numbering.numId;
    label.level = numbering.level;
    label.suffix = numbering.definition->suffix;
    label.bullet = numbering.definition->format == NumberFormat::bullet;
    label.text = label.bullet ? bulletText(*numbering.definition) : numberText(numbering, value);
    label.runProps = labelRunProps(*numbering.definition, label.bullet && bulletMapped_);
    paragraph.listLabel = static_cast<std::int32_t>(document_.listLabels.size());
    document_.listLabels.push_back(std::move(label));
  }

  const ParagraphProps& paragraphProps(const Paragraph& paragraph) const {
    const auto& items = document_.paragraphProps.items;
    return paragraph.props < items.size() ? items[paragraph.props] : items[0];
  }

  NumberingRef numberingOfStyle(const Style* style) {
    const auto it = styleNumbering_.find(style);
    if (it != styleNumbering_.end()) return it->second;
    return styleNumbering_[style] = styleNumbering(document_.styles, style);
  }

  // Advances the counter of the paragraph's level and resets the levels below it; returns the
  // level's new value.
  int advance(const ParagraphNumbering& numbering) {
    const NumberingInstance& instance = *numbering.instance;
    const bool own = hasStartOverride(instance);
    Counters& counters = counters_[own ? static_cast<const void*>(&instance) : numbering.abstract];
    const auto level = static_cast<std::size_t>(numbering.level);
    if (!counters.started[level]) {
      std::uint16_t& used = firstUse_[&instance];
      const auto bit = static_cast<std::uint16_t>(1u << level);
      const bool first = own && (used & bit) == 0;
      used |= bit;
      counters.value[level] = first ? overrideStart(instance, numbering.level, *numbering.definition)
                                    : numbering.definition->start;
      counters.started[level] = true;
    } else if (counters.value[level] < std::numeric_limits<int>::max()) {
      ++counters.value[level];
    }
    for (int below = numbering.level + 1; below < kListLevelCount; ++below) {
      if (restartsAfter(listLevel(instance, numbering.abstract, below), numbering.level)) {
        counters.started[static_cast<std::size_t>(below)] = false;
      }
    }
    current_ = &counters;
    return counters.value[level];
  }

  // w:lvlText with %1..%9 replaced: a level above that has not started shows one less than its
  // start (Word's "1.0.1" for a skipped level); a level below the paragraph's shows nothing.
  std::string numberText(const ParagraphNumbering& numbering, int value) const {
    const std::string_view text = boundedText(numbering.definition->text);
    std::string out;
    for (std::size_t at = 0; at < text.size(); ++at) {
      const char c = text[at];
      if (c == '%' && at + 1 < text.size() && text[at + 1] >= '1' && text[at + 1] <= '9') {
        out += placeholder(numbering, text[at + 1] - '1', value);
        ++at;
      } else {
        out += c;
      }
    }
    return out;
  }

  std::string placeholder(const ParagraphNumbering& numbering, int level, int value) const {
    if (level > numbering.level) return {};
    const ListLevel* definition = listLevel(*numbering.instance, numbering.abstract, level);
    if (definition == nullptr) return {};
    const auto index = static_cast<std::size_t>(level);
    int shown = value;
    if (level < numbering.level) {
      shown = current_->started[index] ? current_->value[index] : std::max(definition->start, 1) - 1;
    }
    const NumberFormat format = numbering.definition->legal ? NumberFormat::decimal : definition->format;
    return formatListNumber(shown, format);
  }

  std::string bulletText(const ListLevel& level) {
    const RunFonts& fonts = level.run.fonts;
    const std::string& face = fonts.ascii.name ? *fonts.ascii.name : fonts.hAnsi.name.value_or(std::string());
    return symbolTextAsUnicode(boundedText(level.text), symbolFaceOf(face), bulletMapped_);
  }

  static std::string_view boundedText(const std::string& text) {
    if (text.size() <= kMaxLevelText) return text;
    std::size_t cut = kMaxLevelText;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return std::string_view(text).substr(0, cut);
  }

  // The level's w:rPr in the document's pool, once per level; a bullet drawn as a Unicode
  // look-alike loses the symbol face so that it is drawn in the paragraph's.
  std::uint32_t labelRunProps(const ListLevel& level, bool withoutFaces) {
    auto& interned = withoutFaces ? internedPlain_ : interned_;
    const auto it = interned.find(&level);
    if (it != interned.end()) return it->second;
    RunProps props = level.run;
    if (withoutFaces) props.fonts = RunFonts{};
    const auto index = static_cast<std::uint32_t>(document_.runProps.items.size());
    document_.runProps.items.push_back(std::move(props));
    interned.emplace(&level, index);
    return index;
  }

  Document& document_;
  std::unordered_map<const void*, Counters> counters_;
  std::unordered_map<const NumberingInstance*, std::uint16_t> firstUse_;  // levels used once, by bit
  std::unordered_map<const Style*, NumberingRef> styleNumbering_;
  std::unordered_map<const ListLevel*, std::uint32_t> interned_, internedPlain_;
  const Counters* current_ = nullptr;
  bool bulletMapped_ = false;
};

}  // namespace

void assignListLabels(Document& document) {
  document.listLabels.clear();
  LabelWriter writer(document);
  forEachStory(document, [&writer](Story& story) { writer.story(story); });
}

}  // namespace vellumine::docx
