// PDF export: the view's page printed to a PDF file by the browser (text and drawings stay
// vectors, unlike printing, which rasterises), and the headless run that loads a document into a
// hidden view first.  Both wait in a local event loop that leaves user input for later.
#include "app/ui/pdfexport.h"

#include <QWebEnginePage>
#include <QWebEngineView>
#include <chrono>
#include <cstdio>
#include <stdexcept>

#include "app/load_document.h"
#include "app/program_folders.h"
#include "app/session_folder.h"
#include "app/ui/HTMLView.h"
#include "app/ui/localwait.h"
#include "app/ui/qt_path.h"

namespace fs = std::filesystem;

namespace {

// A page that never finishes (a hostile document) must not hang a script.
constexpr std::chrono::minutes kPageLoadLimit{5};

void loadInto(THTMLView& view, vellumine::DocumentState& state, const fs::path& document) {
  bool success = false;
  LocalWait wait;
  // A new view loads nothing of its own: the first page it finishes is the document's.
  QObject::connect(&view, &QWebEngineView::loadFinished, &wait, [&](bool ok) {
    success = ok;
    wait.finish();
  });
  vellumine::LoadObserver observer;
  observer.navigate = [&view](const fs::path& html) { view.Navigate(html); };
  vellumine::loadDocument(state, document, observer);
  if (!wait.wait(kPageLoadLimit)) throw std::runtime_error("The page did not finish loading.");
  if (!success) throw std::runtime_error("The page could not be shown.");
}

}  // namespace

void exportPdf(QWebEngineView* view, const fs::path& target, const QPageLayout& layout) {
  const QString file = toQString(target);
  bool success = false;
  LocalWait wait;
  QObject::connect(view, &QWebEngineView::pdfPrintingFinished, &wait, [&](const QString& path, bool ok) {
    if (path != file) return;
    success = ok;
    wait.finish();
  });
  view->printToPdf(file, layout);
  wait.wait(kPageLoadLimit);
  if (!success) throw std::runtime_error("The PDF file " + target.string() + " could not be written.");
}

int exportPdfHeadless(const fs::path& document, const fs::path& target) {
  const vellumine::ProgramFolders folders = vellumine::locateProgramFolders(vellumine::executableFolder());
  vellumine::createTmpFolder(folders);
  vellumine::SessionFolder session(folders.tmp);
  vellumine::DocumentState state;
  state.tmpFolder = session.path();
  int status = 0;
  try {
    std::error_code ec;
    if (!fs::is_regular_file(document, ec)) throw std::runtime_error("File not found.");
    THTMLView view;  // never shown
    loadInto(view, state, document);
    exportPdf(&view, target, view.printer().pageLayout());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vellumine: %s: %s\n", document.string().c_str(), e.what());
    status = 1;
  }
  vellumine::closeDocument(state);
  session.remove();
  return status;
}
