// viewer_timing: the viewer's start-up and open times on a real display (Xvfb), for the figures
// in the README.  It starts the window exactly as main() does, then reports, in milliseconds:
//   startup  from the launch time the caller passes in VELLUMINE_LAUNCH_NS (date +%s%N) to the
//            first page the view has finished loading;
//   open     from the call of loadDocument to the document's page finished loading.
// Usage: viewer_timing RESOURCES_DIR DOCUMENT [SCREENSHOT.png]   (run by bench/viewer_figures.py)
#include <QApplication>
#include <QFile>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/package_folder.h"
#include "app/program_folders.h"
#include "app/ui/HTMLView.h"
#include "app/ui/sui.h"

namespace {

double msSinceEpochNs(long long epochNs) {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  return static_cast<double>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count() - epochNs) / 1e6;
}

// Waits until the view finishes loading a page (page: that page; empty: any page).
bool waitForPage(THTMLView* view, const QUrl& page, int timeoutMs) {
  QEventLoop wait;
  bool loaded = false;
  QObject::connect(view, &QWebEngineView::loadFinished, &wait, [&](bool ok) {
    if (!ok || (!page.isEmpty() && view->url() != page)) return;
    loaded = true;
    wait.quit();
  });
  QTimer::singleShot(timeoutMs, &wait, &QEventLoop::quit);
  wait.exec();
  return loaded;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: viewer_timing RESOURCES_DIR DOCUMENT [SCREENSHOT.png]\n");
    return 2;
  }
  const char* launch = std::getenv("VELLUMINE_LAUNCH_NS");
  const long long launchNs = launch ? std::atoll(launch) : 0;
  QApplication app(argc, argv);

  vellumine::ProgramFolders folders = vellumine::locateProgramFolders(argv[1]);
  TForm1 form(folders, {});
  form.showMaximized();
  if (!waitForPage(form.view(), QUrl(), 60000)) return 1;
  const double startup = launchNs ? msSinceEpochNs(launchNs) : -1;

  const auto openStart = std::chrono::steady_clock::now();
  const std::filesystem::path document = QFile::encodeName(QString::fromLocal8Bit(argv[2])).toStdString();
  const std::filesystem::path html = vellumine::packageFolderFor(document, form.sessionFolder()) / "word" / "doc.html";
  const QUrl page = QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(html.string())));
  QTimer::singleShot(0, &form, [&] { form.loadDocument(document); });
  if (!waitForPage(form.view(), page, 60000)) return 1;
  const auto openTime = std::chrono::steady_clock::now() - openStart;
  const double open = std::chrono::duration<double, std::milli>(openTime).count();

  std::printf("startup_ms %.1f\nopen_ms %.1f\n", startup, open);
  if (argc > 3) {
    QTimer::singleShot(1500, [&] { form.grab().save(QString::fromLocal8Bit(argv[3])); });
    QTimer::singleShot(1600, &app, &QApplication::quit);
    return QApplication::exec();
  }
  return 0;
}
