// The page of an extracted package, made by one of the two engines: the faithful page (the
// document model read, resolved and written, src/docx and src/render) that readers see by default,
// or the exact page (the frozen pass table, src/convert).  The viewer and vellumine-convert both
// make their pages here; what leaves the program still goes through writePage.
#pragma once
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "convert/conversion.h"
#include "render/changes_view.h"

namespace vellumine {

enum class PageEngine { faithful, exact };

struct PageRequest {
  PageEngine engine = PageEngine::faithful;
  // includeStories: the notes, comments, headers and footers, on either page; optimizeHtml and
  // useOriginalPageSetting: the exact engine's alone.
  ConversionSettings settings;
  std::string title;  // the faithful page's <title>, as the core part stores it (entities and all)
  // How the faithful page shows tracked changes; the exact engine ignores it.
  render::ChangesView changes = render::ChangesView::markup;
};

struct DocumentPage {
  std::string page;                   // the whole page, ready for writePage
  std::vector<std::string> warnings;  // what the reading survived, one line per kind
  // What the page leaves as labelled boxes ("2 charts not shown"), one line per kind of thing,
  // and how many items that is in all; empty and 0 for the exact page.
  std::vector<std::string> notShown;
  int notShownCount = 0;
  // The tracked changes the faithful reading found (insertions, deletions, moves, in every
  // story); 0 for the exact page, which does not read them.
  std::size_t trackedChanges = 0;
  // The exact engine's conversion (its page geometry restyles the page shown); null for the
  // faithful page.
  std::unique_ptr<Conversion> exact;
};

// The progress texts a conversion reports: the pass table's six, or the faithful engine's five
// ("Reading document", "Numbering lists", "Converting pictures", "Writing page", "Done").
using StepReporter = std::function<void(std::string_view stepText)>;

// Reads the package folder and makes its page.  The faithful engine throws only when the package
// holds no main document part; everything else it survives with a warning.  The exact engine
// throws what its passes throw.
DocumentPage makeDocumentPage(const std::filesystem::path& packageFolder, const PageRequest& request,
                              const StepReporter& showStep = {});

}  // namespace vellumine
