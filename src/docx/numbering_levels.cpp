// Finding a paragraph's numbering: numId and level through the paragraph and its style chain, the
// instance, the abstract list behind it (through numbering styles when it links to one) and the
// level with the instance's overrides.  Every lookup is a hash lookup or a bounded walk.
#include "docx/numbering_levels.h"

#include <algorithm>

#include "docx/style_chain.h"

namespace vellumine::docx {
namespace {

// w:numStyleLink chains longer than this are not followed (Word's own are one link long).
constexpr int kMaxStyleLinks = 4;

const AbstractNumbering* abstractById(const Numbering& numbering, int abstractId) {
  const auto it = numbering.abstractById.find(abstractId);
  if (it == numbering.abstractById.end() || it->second < 0 ||
      static_cast<std::size_t>(it->second) >= numbering.abstracts.size()) {
    return nullptr;
  }
  return &numbering.abstracts[static_cast<std::size_t>(it->second)];
}

// The abstract list behind the numbering style an abstract list links to, or null.
const AbstractNumbering* linkedAbstract(const Document& document, const AbstractNumbering& abstract) {
  const Style* style = document.styles.find(*abstract.numStyleLink);
  if (style == nullptr || !style->paragraph.numbering.numId) return nullptr;
  const NumberingInstance* instance = numberingInstance(document.numbering, *style->paragraph.numbering.numId);
  return instance == nullptr ? nullptr : abstractById(document.numbering, instance->abstractId);
}

// The level whose w:pStyle names the paragraph's style, or 0.
int levelOfStyle(const AbstractNumbering& abstract, const NumberingInstance& instance, const Style* style) {
  if (style == nullptr) return 0;
  for (int level = 0; level < kListLevelCount; ++level) {
    const ListLevel* definition = listLevel(instance, &abstract, level);
    if (definition != nullptr && definition->paragraphStyle == style->styleId) return level;
  }
  return 0;
}

}  // namespace

NumberingRef styleNumbering(const Styles& styles, const Style* paragraphStyle) {
  NumberingRef found;
  const std::vector<const Style*> chain = styleChain(styles, paragraphStyle);
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    const NumberingRef& ref = (*it)->paragraph.numbering;
    if (!found.numId) found.numId = ref.numId;
    if (!found.level) found.level = ref.level;
  }
  return found;
}

const NumberingInstance* numberingInstance(const Numbering& numbering, int numId) {
  const auto it = numbering.instanceById.find(numId);
  if (it == numbering.instanceById.end() || it->second < 0 ||
      static_cast<std::size_t>(it->second) >= numbering.instances.size()) {
    return nullptr;
  }
  return &numbering.instances[static_cast<std::size_t>(it->second)];
}

const AbstractNumbering* levelsOwner(const Document& document, const NumberingInstance& instance) {
  const AbstractNumbering* abstract = abstractById(document.numbering, instance.abstractId);
  for (int links = 0; abstract != nullptr && abstract->numStyleLink && links < kMaxStyleLinks; ++links) {
    const AbstractNumbering* linked = linkedAbstract(document, *abstract);
    if (linked == nullptr || linked == abstract) break;
    abstract = linked;
  }
  return abstract;
}

const ListLevel* listLevel(const NumberingInstance& instance, const AbstractNumbering* abstract, int level) {
  if (level < 0 || level >= kListLevelCount) return nullptr;
  const auto index = static_cast<std::size_t>(level);
  const std::shared_ptr<const ListLevel>& override = instance.overrides[index].level;
  if (override && override->present) return override.get();
  if (abstract != nullptr && abstract->levels[index].present) return &abstract->levels[index];
  return nullptr;
}

ParagraphNumbering paragraphNumbering(const Document& document, const NumberingRef& own,
                                      const NumberingRef& fromStyle, const Style* paragraphStyle) {
  ParagraphNumbering result;
  const std::optional<int> numId = own.numId ? own.numId : fromStyle.numId;
  if (!numId || *numId == 0) return result;
  const NumberingInstance* instance = numberingInstance(document.numbering, *numId);
  if (instance == nullptr) return result;
  const AbstractNumbering* abstract = levelsOwner(document, *instance);
  const bool viaStyle = !own.numId;
  int level = 0;
  if (own.level) {
    level = *own.level;
  } else if (fromStyle.level) {
    level = *fromStyle.level;
  } else if (viaStyle && abstract != nullptr) {
    level = levelOfStyle(*abstract, *instance, paragraphStyle);
  }
  level = std::clamp(level, 0, kListLevelCount - 1);
  const ListLevel* definition = listLevel(*instance, abstract, level);
  if (definition == nullptr) return result;
  result.numId = *numId;
  result.level = level;
  result.fromStyle = viaStyle;
  result.instance = instance;
  result.abstract = abstract;
  result.definition = definition;
  return result;
}

}  // namespace vellumine::docx
