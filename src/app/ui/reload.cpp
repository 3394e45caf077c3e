// Reload: the scroll position and page height are read from the page shown (in the application's
// script world; page scripts stay off), the document is loaded again through the window's own
// load, and once the new page has finished loading the position is put back if its height is
// the same, since only then does the old position point at the same text.  Otherwise the page
// starts at the top (the browser itself would put a reloaded page back where it was).
#include "app/ui/page_layout.h"
#include "app/ui/reload.h"

#include <QFile>
#include <QPointer>
#include <QVariantList>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include "app/ui/page_place.h"
#include "app/urecentfile.h"

namespace fs = std::filesystem;

namespace {

const QString kReadPosition = QStringLiteral(
    "[window.scrollX, window.scrollY, document.documentElement ? document.documentElement.scrollHeight : -1]");

bool documentExists(const fs::path& document) {
  std::error_code ec;
  return fs::is_regular_file(document, ec);
}

}  // namespace

DocumentReloader::DocumentReloader(QWebEngineView* view, Load load, Message message)
    : QObject(view), view_(view), load_(std::move(load)), message_(std::move(message)) {}

void DocumentReloader::reload(const fs::path& document, const QUrl& page) { startReload(document, page, false); }

void DocumentReloader::reloadKeepingText(const fs::path& document, const QUrl& page) {
  startReload(document, page, true);
}

void DocumentReloader::startReload(const fs::path& document, const QUrl& page, bool keepText) {
  if (reloading_) return;  // F5 held down: one reload at a time
  if (!documentExists(document)) {
    message_(QString::fromUtf8(vellumine::kRecentFileNotFound.data(),
                               static_cast<qsizetype>(vellumine::kRecentFileNotFound.size())));
    return;
  }
  readAndLoad(document, page, keepText);
}

void DocumentReloader::readAndLoad(const fs::path& document, const QUrl& page, bool keepText) {
  if (view_->url() != page) {
    loadKeeping(document, page, Position{});  // another page is shown: nothing to keep
    return;
  }
  reloading_ = true;
  QPointer<DocumentReloader> self(this);
  view_->page()->runJavaScript(keepText ? readTextPlaceScript() : kReadPosition, QWebEngineScript::ApplicationWorld,
                               [self, document, page](const QVariant& value) {
                                 if (!self) return;
                                 self->reloading_ = false;
                                 const QVariantList read = value.toList();
                                 Position position;
                                 if (read.size() >= 3) {
                                   position = {read[0].toDouble(), read[1].toDouble(), read[2].toDouble()};
                                 }
                                 if (read.size() == 4) position.block = read[3].toInt();
                                 self->loadKeeping(document, page, position);
                               });
}

void DocumentReloader::loadKeeping(const fs::path& document, const QUrl& page, const Position& position) {
  // Connected before the load: a page from the cache may finish before the load returns.
  auto finished = std::make_shared<QMetaObject::Connection>();
  const auto shown = [this, finished, page, position](bool) {
    if (view_->url() != page) return;  // not the document's page (yet)
    disconnect(*finished);
    restore(position);
  };
  *finished = pages_ != nullptr ? connect(pages_, &PageLayout::pageShown, this, shown)
                                : connect(view_, &QWebEngineView::loadFinished, this, shown);
  if (!load_(document)) disconnect(*finished);  // the previous page stays; nothing to restore
}

void DocumentReloader::restore(const Position& position) {
  if (position.block >= 0) {
    restoreTextBlock(position);
    return;
  }
  if (position.height < 0) {
    Q_EMIT restored(false);
    return;
  }
  const QString script =
      QStringLiteral(
          "(function(){var e=document.documentElement;if(!e||e.scrollHeight!==%1){window.scrollTo(0,0);"
          "return false;}window.scrollTo(%2,%3);return true;})()")
          .arg(position.height, 0, 'f', 0)
          .arg(position.x, 0, 'f', 0)
          .arg(position.y, 0, 'f', 0);
  scrollBack(script);
}

void DocumentReloader::restoreTextBlock(const Position& position) {
  scrollBack(scrollToTextPlaceScript(position.block, position.x, position.y));
}

// script scrolls the page and answers whether it could put the reader back.
void DocumentReloader::scrollBack(const QString& script) {
  QPointer<DocumentReloader> self(this);
  view_->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, [self](const QVariant& scrolled) {
    if (self) Q_EMIT self->restored(scrolled.toBool());
  });
}
