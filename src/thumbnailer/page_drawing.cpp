#include "thumbnailer/page_drawing.h"

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <algorithm>
#include <cmath>
#include <optional>

namespace vellumine {

namespace {

constexpr std::chrono::milliseconds kGrabInterval{25};
// The view's colour until the page paints over it: the thumbnail page's own background is white
// (thumbnail_page.cpp), so a grab all of this colour, or all black before the first frame, is a
// page not painted yet, however long a busy machine takes to paint it.
const QColor kUnpaintedColour(1, 2, 3);
// How long a page may stay all white before it is taken as an empty page: the engine may show the
// page's background a frame or more before its text.
constexpr std::chrono::milliseconds kWhitePageWait{1000};
constexpr double kLargestZoom = 5.0;  // the engine's own bound

// Only the page and its pictures: data: URIs and files inside the package folder.  Whatever else a
// page asks for (remote addresses, other local files) is blocked.
class PackageOnlyRequests : public QWebEngineUrlRequestInterceptor {
 public:
  PackageOnlyRequests(const QString& packageFolder, QObject* parent)
      : QWebEngineUrlRequestInterceptor(parent), prefix_(packageFolder + QLatin1Char('/')) {}

  void interceptRequest(QWebEngineUrlRequestInfo& info) override {
    const QUrl url = info.requestUrl();
    if (url.scheme() == QLatin1String("data")) return;
    if (url.isLocalFile() && QDir::cleanPath(url.toLocalFile()).startsWith(prefix_)) return;
    info.block(true);
  }

 private:
  QString prefix_;
};

void applyStillPageSettings(QWebEngineSettings* settings) {
  settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
  settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
  settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
  settings->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
  settings->setAttribute(QWebEngineSettings::AutoLoadImages, true);
  settings->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
  settings->setAttribute(QWebEngineSettings::ShowScrollBars, false);
  settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
}

// An off-the-record profile (nothing kept on disk) for this one page.
QWebEngineProfile* stillPageProfile(const QString& packageFolder) {
  auto* profile = new QWebEngineProfile(QCoreApplication::instance());
  applyStillPageSettings(profile->settings());
  profile->setUrlRequestInterceptor(new PackageOnlyRequests(packageFolder, profile));
  return profile;
}

enum class Paint { none, white, content };

// What a grab shows: the view's own colour or black (nothing yet), the page's white alone, or more.
Paint paintOf(const QImage& image) {
  if (image.isNull()) return Paint::none;
  const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
  const QRgb first = pixels.pixel(0, 0);
  for (int y = 0; y < pixels.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
    if (!std::all_of(line, line + pixels.width(), [first](QRgb pixel) { return pixel == first; })) return Paint::content;
  }
  return first == qRgb(255, 255, 255) ? Paint::white : Paint::none;
}

// Waits in an event loop until loaded says how the load ended, or the limit passes.
bool waitForLoad(QWebEngineView& view, std::chrono::milliseconds limit) {
  QEventLoop loop;
  bool loaded = false;
  QObject::connect(&view, &QWebEngineView::loadFinished, &loop, [&](bool ok) {
    loaded = ok;
    loop.quit();
  });
  QTimer::singleShot(limit, &loop, &QEventLoop::quit);
  loop.exec();
  return loaded;
}

// The view's picture once the page's content is painted, or once it has stayed white for
// kWhitePageWait (an empty page); a null image when nothing is painted within the limit.
QImage grabPainted(QWebEngineView& view, std::chrono::milliseconds limit) {
  QElapsedTimer waited;
  waited.start();
  std::optional<qint64> whiteSince;
  for (;;) {
    QImage image = view.grab().toImage();
    const Paint paint = paintOf(image);
    if (paint == Paint::content) return image;
    if (paint == Paint::white && !whiteSince) whiteSince = waited.elapsed();
    const bool whiteLongEnough = whiteSince && waited.elapsed() - *whiteSince >= kWhitePageWait.count();
    if (whiteLongEnough || waited.elapsed() >= limit.count()) return whiteSince ? image : QImage();
    QEventLoop pause;
    QTimer::singleShot(kGrabInterval, &pause, &QEventLoop::quit);
    pause.exec();
  }
}

}  // namespace

QImage drawPageTop(const std::filesystem::path& page, const std::filesystem::path& packageFolder, PageCrop crop,
                   int size, std::chrono::milliseconds limit) {
  QElapsedTimer elapsed;
  elapsed.start();
  const QString folder = QDir::cleanPath(QString::fromStdString(packageFolder.string()));
  // Enough pixels for the size asked: a 1024 thumbnail of an 816-pixel page is drawn at 1.25.
  const double zoom = std::clamp(size / std::max(crop.width, crop.height), 1.0, kLargestZoom);
  // The view and its page live until the process ends: the child exits with _exit, and tearing the
  // engine down would only cost time.
  auto* view = new QWebEngineView;
  view->setPage(new QWebEnginePage(stillPageProfile(folder), view));
  view->page()->setBackgroundColor(kUnpaintedColour);
  view->page()->setZoomFactor(zoom);
  view->resize(static_cast<int>(std::lround(crop.width * zoom)), static_cast<int>(std::lround(crop.height * zoom)));
  view->setAttribute(Qt::WA_DontShowOnScreen);
  view->show();
  view->load(QUrl::fromLocalFile(QString::fromStdString(page.string())));
  if (!waitForLoad(*view, limit)) return {};
  const auto left = limit - std::chrono::milliseconds(elapsed.elapsed());
  return grabPainted(*view, std::max(left, std::chrono::milliseconds(0)));
}

}  // namespace vellumine
