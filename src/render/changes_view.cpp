// The views of tracked changes: what each keeps, and their names on the command line.
#include "render/changes_view.h"

namespace vellumine::render {

bool changeKept(docx::ChangeKind kind, ChangesView view) {
  const bool added = kind == docx::ChangeKind::insertion || kind == docx::ChangeKind::moveTo;
  switch (view) {
    case ChangesView::markup: return true;
    case ChangesView::final: return added;
    case ChangesView::original: return !added;
  }
  return true;
}

std::optional<ChangesView> changesViewNamed(std::string_view name) {
  if (name == "markup") return ChangesView::markup;
  if (name == "final") return ChangesView::final;
  if (name == "original") return ChangesView::original;
  return std::nullopt;
}

}  // namespace vellumine::render
