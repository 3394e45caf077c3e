// The faithful page: the document model written as one HTML page (UTF-8) with its own style sheet,
// each construct by its own unit, every text and attribute value escaped; no markup of the
// document passes through.  The page still leaves the program through the sanitiser
// (app/page_writer.h).  Pictures are referred to relative to the main part's folder
// ("media/image1.png" for word/media/image1.png), as the viewer and vellumine-convert expect.
#pragma once
#include <string>

#include "docx/model.h"
#include "docx/warnings.h"
#include "render/changes_view.h"

namespace vellumine::render {

struct PageOptions {
  bool includeStories = true;   // footnotes, endnotes, comments, headers and footers
  std::string title;            // the page's <title> (the document's title), may be empty
  ChangesView changes = ChangesView::markup;  // how tracked changes are shown
};

// The whole page.  document's list labels must have been assigned (docx::assignListLabels).
std::string renderPage(const docx::Document& document, const PageOptions& options,
                       docx::Warnings& warnings);

}  // namespace vellumine::render
