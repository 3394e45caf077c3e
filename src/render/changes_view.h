// How tracked changes are shown on the faithful page: all marked up (insertions underlined,
// deletions struck through, in their author's colour), as if every change were accepted (final),
// or as if every change were rejected (original).  The exact page knows nothing of this.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "docx/model.h"

namespace vellumine::render {

enum class ChangesView : std::uint8_t { markup, final, original };

// Whether what a change of this kind holds (its text, a paragraph mark, a table row) stands in
// the view: everything in markup, insertions and moves' new places in final, deletions and
// moves' old places in original.
bool changeKept(docx::ChangeKind kind, ChangesView view);

// "markup", "final", "original"; nothing for any other name.
std::optional<ChangesView> changesViewNamed(std::string_view name);

}  // namespace vellumine::render
