// pages_timing: the page view's pagination times for the README's figures.  It opens a document in
// the window (shown, offscreen or under Xvfb) with the page view on and reports, in milliseconds
// from the document's page finishing its load: the first page laid out, all pages laid out, and
// the longest the event loop went without turning while the pages were made (how responsive the
// window stays).
// Usage: pages_timing RESOURCES_DIR DOCUMENT.docx [--continuous]
//        pages_timing RESOURCES_DIR --paragraphs N   (a generated document of N three-line paragraphs)
// With --continuous the page view is off: it reports the time from the load to the whole page laid
// out (the answer to a script that asks for the page's height, which waits for the layout; chunks
// of a long page away from the view count at their estimated height), then the time every chunk
// of it takes laid out as well.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/docx_writer.h"
#include "app/package_folder.h"
#include "app/program_folders.h"
#include "app/ui/HTMLView.h"
#include "app/ui/page_layout.h"
#include "app/ui/sui.h"

namespace {

std::vector<std::string> threeLineParagraphs(int count) {
  std::vector<std::string> paragraphs;
  const std::string text =
      "The quick brown fox jumps over the lazy dog while the committee reviews the annual figures, "
      "and the minutes record every motion, amendment and vote taken during the long afternoon session "
      "that followed the lunch break. ";
  for (int k = 1; k <= count; ++k) paragraphs.push_back(std::to_string(k) + ". " + text);
  return paragraphs;
}

// Lays out the chunks a long page's blocks come in, which the browser would lay out only as they
// come near the view: the time the whole page would take laid out at once.
const QString kEveryChunk = QStringLiteral(
    "document.querySelectorAll('.vm-chunk').forEach(function(c){c.style.contentVisibility='visible';});"
    "document.documentElement.scrollHeight");

// The continuous view: load, then the whole page laid out.
int continuousTiming(TForm1& form, PageLayout* pages, const std::filesystem::path& document) {
  pages->setOn(false);
  QElapsedTimer clock;
  double loaded = -1, laidOut = -1, everyChunk = -1;
  QEventLoop done;
  QObject::connect(form.view(), &QWebEngineView::loadFinished, [&](bool) {
    if (form.view()->url().fileName() != QLatin1String("doc.html") || loaded >= 0) return;
    loaded = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    form.view()->page()->runJavaScript(QStringLiteral("document.documentElement.scrollHeight"),
                                       QWebEngineScript::ApplicationWorld, [&](const QVariant&) {
                                         laidOut = static_cast<double>(clock.nsecsElapsed()) / 1e6;
                                         form.view()->page()->runJavaScript(kEveryChunk, QWebEngineScript::ApplicationWorld,
                                                                            [&](const QVariant&) {
                                           everyChunk = static_cast<double>(clock.nsecsElapsed()) / 1e6;
                                           done.quit();
                                         });
                                       });
  });
  QTimer::singleShot(300000, &done, &QEventLoop::quit);
  clock.start();
  QTimer::singleShot(0, &form, [&] { form.loadDocument(document); });
  done.exec();
  if (everyChunk < 0) return 1;
  std::printf("open_ms %.1f\nlaid_out_ms %.1f\nevery_chunk_ms %.1f\n", loaded, laidOut - loaded, everyChunk - laidOut);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: pages_timing RESOURCES_DIR DOCUMENT | --paragraphs N\n");
    return 2;
  }
  QApplication app(argc, argv);
  QTemporaryDir scratch;
  std::filesystem::path document = QFile::encodeName(QString::fromLocal8Bit(argv[2])).toStdString();
  if (std::string(argv[2]) == "--paragraphs" && argc > 3) {
    document = std::filesystem::path(scratch.path().toStdString()) / "generated.docx";
    vellumine::test::writeDocx(document, threeLineParagraphs(std::atoi(argv[3])));
  }

  vellumine::ProgramFolders folders = vellumine::locateProgramFolders(argv[1]);
  TForm1 form(folders, {});
  form.resize(1200, 900);
  form.show();
  PageLayout* pages = form.findChild<PageLayout*>();
  if (pages == nullptr) return 1;

  if (argc > 3 && std::string(argv[3]) == "--continuous") return continuousTiming(form, pages, document);

  QElapsedTimer clock;
  double loaded = -1, first = -1, all = -1, longestGap = 0, lastTurn = 0;
  QTimer ticks;
  ticks.setInterval(5);
  QObject::connect(&ticks, &QTimer::timeout, [&] {
    const double now = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    if (loaded >= 0 && all < 0 && now - lastTurn > longestGap) longestGap = now - lastTurn;
    lastTurn = now;
  });
  QEventLoop done;
  QObject::connect(form.view(), &QWebEngineView::loadFinished, [&](bool) {
    if (form.view()->url().fileName() == QLatin1String("doc.html") && loaded < 0) {
      loaded = static_cast<double>(clock.nsecsElapsed()) / 1e6;
      lastTurn = loaded;
    }
  });
  int nextMark = 100;  // every hundredth page's time shows whether pages get slower as they grow
  QObject::connect(pages, &PageLayout::pagesChanged, [&](int, int count) {
    const double now = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    if (count > 0 && first < 0 && loaded >= 0) first = now;
    if (loaded >= 0 && count >= nextMark) {
      std::printf("page_%d_ms %.1f\n", nextMark, now - loaded);
      std::fflush(stdout);
      nextMark += 100;
    }
  });
  QObject::connect(pages, &PageLayout::laidOut, [&](int count) {
    if (loaded < 0 || count == 0) return;
    all = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    done.quit();
  });
  QTimer::singleShot(300000, &done, &QEventLoop::quit);
  clock.start();
  ticks.start();
  QTimer::singleShot(0, &form, [&] { form.loadDocument(document); });
  done.exec();
  if (all < 0) return 1;
  std::printf("pages %d\nopen_ms %.1f\nfirst_page_ms %.1f\nall_pages_ms %.1f\nlongest_stall_ms %.1f\n",
              pages->pageCount(), loaded, first - loaded, all - loaded, longestGap);
  return 0;
}
