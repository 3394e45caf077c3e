// PDF export: the view's page printed to a PDF file by the browser (text and drawings stay
// vectors, unlike printing, which rasterises), and the headless run that loads a document into a
// hidden view first.  Both wait in a local event loop that leaves user input for later.
#include "app/ui/pdfexport.h"

#include <QEventLoop>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <cstdio>
#include <stdexcept>

#include "app/load_document.h"
#include "app/program_folders.h"
#include "app/session_folder.h"
#include "app/ui/HTMLView.h"
#include "app/ui/qt_path.h"

namespace fs = std::filesystem;

namespace {

// A page that never finishes (a hostile document) must not hang a script.
constexpr int kPageLoadLimitMs = 5 * 60 * 1000;

// Runs the local loop until done() holds or the limit passes; false on the limit.
bool waitFor(QEventLoop& loop, int limitMs) {
  bool inTime = true;
  QTimer limit;
  limit.setSingleShot(true);
  QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
    inTime = false;
    loop.quit();
  });
  limit.start(limitMs);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  return inTime;
}

void loadInto(THTMLView& view, vellumine::DocumentState& state, const fs::path& document) {
  bool loaded = false;
  bool success = false;
  QEventLoop loop;
  // A new view loads nothing of its own: the first page it finishes is the document's.
  QMetaObject::Connection done = QObject::connect(&view, &QWebEngineView::loadFinished, &loop, [&](bool ok) {
    loaded = true;
    success = ok;
    loop.quit();
  });
  vellumine::LoadObserver observer;
  observer.navigate = [&view](const fs::path& html) { view.Navigate(html); };
  vellumine::loadDocument(state, document, observer);
  if (!loaded && !waitFor(loop, kPageLoadLimitMs)) {
    QObject::disconnect(done);
    throw std::runtime_error("The page did not finish loading.");
  }
  QObject::disconnect(done);
  if (!success) throw std::runtime_error("The page could not be shown.");
}

}  // namespace

void exportPdf(QWebEngineView* view, const fs::path& target, const QPageLayout& layout) {
  const QString file = toQString(target);
  bool finished = false;
  bool success = false;
  QEventLoop loop;
  QMetaObject::Connection done =
      QObject::connect(view, &QWebEngineView::pdfPrintingFinished, &loop, [&](const QString& path, bool ok) {
        if (path != file) return;
        finished = true;
        success = ok;
        loop.quit();
      });
  view->printToPdf(file, layout);
  if (!finished) waitFor(loop, kPageLoadLimitMs);
  QObject::disconnect(done);
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
