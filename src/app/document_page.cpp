// Both engines behind one call: the faithful page from the model (read, list labels numbered,
// written), the exact page from the pass table with its frame.
#include "app/document_page.h"

#include <pugixml.hpp>

#include "app/chart_pass.h"
#include "app/picture_pass.h"
#include "app/shape_pass.h"

#include "convert/ddocx.h"
#include "convert/docx_page.h"
#include "docx/former_formatting.h"
#include "docx/list_labels.h"
#include "docx/reader.h"
#include "render/page_render.h"

namespace vellumine {

namespace {

void report(const StepReporter& showStep, std::string_view text) {
  if (showStep) showStep(text);
}

// The title as stored in the core part is XML text ("R&amp;D"); the page wants its characters.
// Text that does not parse is kept as it is.
std::string decodedTitle(const std::string& storedTitle) {
  if (storedTitle.find('&') == std::string::npos) return storedTitle;
  pugi::xml_document holder;
  const std::string element = "<t>" + storedTitle + "</t>";
  if (!holder.load_buffer(element.data(), element.size())) return storedTitle;
  return holder.child("t").text().get();
}

DocumentPage faithfulPage(const std::filesystem::path& packageFolder, const PageRequest& request,
                          const StepReporter& showStep) {
  report(showStep, "Reading document");
  docx::Warnings warnings;
  docx::Document document = docx::readDocument(docx::folderPartSource(packageFolder), warnings);
  // Rejecting every change includes formatting changes; the numbering below sees the former formats.
  if (request.changes == render::ChangesView::original) docx::restoreFormerParagraphFormatting(document);
  report(showStep, "Numbering lists");
  docx::assignListLabels(document);
  report(showStep, "Converting pictures");
  convertDocumentPictures(document, packageFolder, warnings);
  drawDocumentCharts(document, packageFolder, warnings);
  drawDocumentShapes(document, packageFolder, warnings);
  report(showStep, "Writing page");
  render::PageOptions options;
  options.includeStories = request.settings.includeStories;
  options.title = decodedTitle(request.title);
  options.changes = request.changes;
  DocumentPage result;
  result.page = render::renderPage(document, options, warnings);
  result.trackedChanges = document.changes.size();
  result.warnings = warnings.lines(docx::WarningLines::survived);
  result.notShown = warnings.lines(docx::WarningLines::itemsNotShown);
  result.notShownCount = warnings.itemsNotShown();
  report(showStep, "Done");
  return result;
}

// The pass table's page, framed as the viewer has always shown it.
DocumentPage exactPage(const std::filesystem::path& packageFolder, const PageRequest& request,
                       const StepReporter& showStep) {
  DocumentPage result;
  result.exact = std::make_unique<Conversion>();
  Conversion& c = *result.exact;
  c.packageFolder = packageFolder;
  c.settings = request.settings;
  c.showStep = showStep;
  loadDocumentParts(c);
  convertDocument(c);
  c.showStep = nullptr;  // it refers to the caller's locals
  result.page = c.text;
  applyPageFrame(c, result.page);
  return result;
}

}  // namespace

DocumentPage makeDocumentPage(const std::filesystem::path& packageFolder, const PageRequest& request,
                              const StepReporter& showStep) {
  if (request.engine == PageEngine::exact) return exactPage(packageFolder, request, showStep);
  return faithfulPage(packageFolder, request, showStep);
}

}  // namespace vellumine
