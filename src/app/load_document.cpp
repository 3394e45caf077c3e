// The load of one document, step by step: the check that it is a Word package, clean-up of the
// previous package folder, extraction, core properties, the page made by the chosen engine and
// written beside document.xml, and the hand-over to the view.  Progress is reported four times
// here and at each step of the engine.
#include "app/load_document.h"

#include <stdexcept>

#include "app/delTree.h"
#include "app/document_sniffer.h"
#include "app/package_folder.h"
#include "app/page_writer.h"
#include "text/fileutil.h"
#include "text/strutil.h"

namespace vellumine {

namespace {

namespace fs = std::filesystem;

constexpr int kStepSize = 10;

template <typename F, typename... Args>
void notify(const F& callback, Args&&... args) {
  if (callback) callback(std::forward<Args>(args)...);
}

// Clears the flag however the load ends.
class LoadingFlag {
 public:
  explicit LoadingFlag(bool& flag) : flag_(flag) {
    if (flag_) throw std::runtime_error("A document is still loading.");
    flag_ = true;
  }
  ~LoadingFlag() { flag_ = false; }
  LoadingFlag(const LoadingFlag&) = delete;
  LoadingFlag& operator=(const LoadingFlag&) = delete;

 private:
  bool& flag_;
};

void showStep(DocumentState& state, const LoadObserver& observer, std::string_view stepText) {
  state.progress += kStepSize;
  notify(observer.showProgress, state.progress, stepText);
}

void deletePreviousPackage(const DocumentState& state) {
  if (state.packageFolder.empty() || state.packageFolder == state.tmpFolder) return;
  deleteFolderTree(state.packageFolder, state.tmpFolder);
}

}  // namespace

std::string documentCaption(const fs::path& path) { return "Vellumine - " + path.string(); }

void loadDocument(DocumentState& state, const fs::path& path, const LoadObserver& observer) {
  LoadingFlag loading(state.loading);
  // A file that is no Word package fails before anything of the shown document changes.
  checkDocumentFile(path);
  state.currentDocumentPath = path;
  state.progress = 0;
  notify(observer.showProgress, state.progress, std::string_view());
  deletePreviousPackage(state);
  state.packageFolder = packageFolderFor(path, state.tmpFolder);
  showStep(state, observer, kStepLoadingDocument);
  state.documentXmlPath = state.packageFolder / "word" / "document.xml";
  extractPackage(path, state.packageFolder, observer.extraction);
  checkPackageFolder(state.packageFolder);  // a main part that did not unpack
  state.properties = readDocumentProperties(state.packageFolder);
  notify(observer.setCaption, documentCaption(path));
  showStep(state, observer, kStepLoadingXml);

  const PageRequest request{state.engine, state.settings, state.properties.title, state.changes};
  DocumentPage made = makeDocumentPage(state.packageFolder, request, [&state, &observer](std::string_view stepText) {
    showStep(state, observer, stepText);
  });

  showStep(state, observer, kStepPreparingShow);
  state.htmlPath = state.packageFolder / "word" / "doc.html";
  writePage(state.htmlPath, std::move(made.page));
  showStep(state, observer, kStepLoadingHtml);
  state.conversion = std::move(made.exact);
  state.warnings = std::move(made.warnings);
  state.notShown = std::move(made.notShown);
  state.notShownCount = made.notShownCount;
  state.trackedChanges = made.trackedChanges;
  notify(observer.navigate, state.htmlPath);
  state.documentLoaded = true;
  notify(observer.finished);
}

void closeDocument(DocumentState& state) {
  deletePreviousPackage(state);
}

void closeShownDocument(DocumentState& state) {
  if (state.loading) throw std::runtime_error("A document is still loading.");
  deletePreviousPackage(state);
  DocumentState closed;
  closed.tmpFolder = std::move(state.tmpFolder);
  closed.settings = state.settings;
  closed.engine = state.engine;
  state = std::move(closed);
}

}  // namespace vellumine
