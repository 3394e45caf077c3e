// loadDocument: a .docx path in, its page written to word/doc.html in a fresh package folder and
// handed to the view.  The window and the command line share it; the window supplies the observer.
#pragma once
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/docxInfo.h"
#include "app/document_page.h"
#include "convert/conversion.h"
#include "package/unzip_docx.h"

namespace vellumine {

// The document the window shows and the folder it works in.  One per window.
struct DocumentState {
  std::filesystem::path tmpFolder;            // package folders are created below it
  std::filesystem::path packageFolder;        // empty until the first load
  std::filesystem::path currentDocumentPath;  // as chosen by the user
  std::filesystem::path documentXmlPath;      // packageFolder/word/document.xml
  std::filesystem::path htmlPath;             // packageFolder/word/doc.html
  DocumentProperties properties;
  ConversionSettings settings;                // the check items of the Options menu
  PageEngine engine = PageEngine::faithful;   // View > Exact Page: the pass table's page
  render::ChangesView changes = render::ChangesView::markup;  // View > Changes (the faithful page's)
  // The last finished exact conversion: its text holds the page without the frame, its page
  // geometry restyles the page shown.  Null until an exact page is loaded, and after a faithful one.
  std::unique_ptr<Conversion> conversion;
  std::vector<std::string> warnings;          // what the last load survived, one line per kind
  std::vector<std::string> notShown;          // what its page leaves as labelled boxes, one line per kind
  int notShownCount = 0;                      // how many items that is
  std::size_t trackedChanges = 0;             // the last faithful page's tracked changes; 0 for the exact one
  int progress = 0;                           // gauge position, 10 per step
  bool loading = false;
  bool documentLoaded = false;                // set by a successful load, cleared by closeShownDocument
};

// What a load shows while it runs.  Every member may be empty.
struct LoadObserver {
  // The gauge, made visible at this position; stepText names the step that starts (empty for
  // the reset to 0 at the start of a load).
  std::function<void(int progress, std::string_view stepText)> showProgress;
  std::function<void(const std::string& caption)> setCaption;
  std::function<void(const std::filesystem::path& htmlPath)> navigate;
  std::function<void()> finished;                          // the page is handed over: hide the gauge,
                                                           // status texts, focus, enable commands
                                                           // (state.warnings says what was survived)
  ExtractObserver extraction;                              // repaints while the archive unpacks
};

// The step texts a load reports, in order; the engine reports its own between the second and the
// third (document_page.h).
inline constexpr std::string_view kStepLoadingDocument = "Loading document";
inline constexpr std::string_view kStepLoadingXml = "Loading XML";
inline constexpr std::string_view kStepPreparingShow = "Preparing show";
inline constexpr std::string_view kStepLoadingHtml = "Loading HTML";

// Checks that path is a Word package (checkDocumentFile), deletes the previous package folder,
// extracts path into its own package folder, checks the main part is there (checkPackageFolder),
// reads the core properties, converts, writes the framed page to word/doc.html and hands it to
// the observer.  A file that is no Word package throws its ENotAWordDocument before state changes
// at all: the previous document, its folder and its page stay as they were.  Otherwise
// state.currentDocumentPath is set to path first, and whatever the reader or the converter throws
// ends the load at once: the previous package folder is gone by then, state.conversion and the
// view keep the previous page, the caption changes only once the package is unpacked.
void loadDocument(DocumentState& state, const std::filesystem::path& path, const LoadObserver& observer);

// The window's caption for a loaded document: "Vellumine - " + path.
std::string documentCaption(const std::filesystem::path& path);

// Deletes the current package folder (the viewer closes); the tmp folder stays.
void closeDocument(DocumentState& state);

// File > Close: deletes the current package folder and forgets the document, so state is as
// before the first load but for tmpFolder, settings and engine, which are the window's.  Refused
// (throws, state unchanged) while a load runs.
void closeShownDocument(DocumentState& state);

}  // namespace vellumine
