#include "thumbnailer/drawing_stage.h"

#include <QApplication>
#include <QtGlobal>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "text/fileutil.h"
#include "thumbnailer/page_drawing.h"
#include "thumbnailer/thumbnail_image.h"

namespace vellumine {

namespace {

// The engine's notes about graphics on a platform without a display are not the user's concern;
// errors still pass.
void keepOnlyQtErrors(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
  }
}

// Whatever the engine, fontconfig or Qt would keep in the user's home or the temporary folder
// goes to the work folder, which the parent removes.  Owner only: Qt takes a runtime folder open to
// others for a foreign one and makes its own elsewhere.
void confineToWorkFolder(const WorkFolder& work) {
  const std::filesystem::path home = work.engineHome();
  std::filesystem::create_directories(home / "tmp");
  std::filesystem::permissions(home, std::filesystem::perms::owner_all);
  qputenv("TMPDIR", QByteArray::fromStdString((home / "tmp").string()));
  qputenv("HOME", QByteArray::fromStdString(home.string()));
  qputenv("XDG_CACHE_HOME", QByteArray::fromStdString((home / "cache").string()));
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((home / "config").string()));
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString((home / "data").string()));
  qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(home.string()));
}

void prepareEngine() {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS", kEngineFlags);
  qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  qInstallMessageHandler(keepOnlyQtErrors);
}

}  // namespace

int drawThumbnailStage(const WorkFolder& work, int size, std::chrono::milliseconds limit) {
  confineToWorkFolder(work);
  prepareEngine();
  static int argc = 1;
  static char name[] = "vellumine-thumbnailer";
  static char* argv[] = {name, nullptr};
  // Never destroyed: the child ends with _exit, and the engine's teardown takes longer than its start.
  new QApplication(argc, argv);
  const QImage page = drawPageTop(work.page(), work.package(), firstPageCrop(ReadWholeFile(work.page())), size, limit);
  if (page.isNull()) throw std::runtime_error("The page could not be drawn.");
  const std::string png = pngBytes(fitWithin(page, size, true));
  if (png.empty()) throw std::runtime_error("The thumbnail could not be encoded.");
  WriteTextFile(work.thumbnail(), png);
  return 0;
}

}  // namespace vellumine
