#include "app/ui/page_layout.h"
#include "app/ui/reading_place_keeper.h"

#include <QPointer>
#include <QVariantList>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <memory>

#include "app/ui/page_place.h"
#include "app/ui/zoom.h"
#include "text/fileutil.h"

namespace fs = std::filesystem;

namespace {

// Long enough that a scroll by wheel or keys is read once, short enough that a window closed
// right after scrolling still has the place.
constexpr int kSettleMs = 250;

}  // namespace

ReadingPlaceKeeper::ReadingPlaceKeeper(QWebEngineView* view, ViewZoom* zoom, fs::path file)
    : QObject(view), view_(view), zoom_(zoom), file_(std::move(file)) {
  places_.load(file_);
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMs);
  connect(&settle_, &QTimer::timeout, this, &ReadingPlaceKeeper::readPlace);
  connect(view_->page(), &QWebEnginePage::scrollPositionChanged, this, [this] { settle_.start(); });
  connect(zoom_, &ViewZoom::factorChanged, this, [this] { settle_.start(); });
}

void ReadingPlaceKeeper::documentShown(const fs::path& document, const QUrl& page) {
  const std::string key = vellumine::readingPlaceKey(document);
  const bool sameDocument = key == shownKey_;
  shownPage_ = page;
  if (sameDocument) return;  // a reload, which keeps its place itself
  keepShownPlace();
  shownKey_ = key;
  shownPlace_ = places_.find(key);
  restoring_ = false;
  if (shownPlace_) restoreWhenLoaded(page, *shownPlace_);
}

void ReadingPlaceKeeper::documentClosed() {
  settle_.stop();
  restoring_ = false;
  keepShownPlace();
  shownKey_.clear();
  shownPage_.clear();
}

void ReadingPlaceKeeper::keepShownPlace() {
  if (shownKey_.empty() || !shownPlace_) return;
  places_.remember(shownKey_, *shownPlace_);
  shownPlace_.reset();
  try {
    places_.save(file_);
  } catch (const vellumine::EInOutError&) {
    // A place is a convenience: a state folder that cannot be written must not stop the reader.
  }
}

void ReadingPlaceKeeper::restoreWhenLoaded(const QUrl& page, const vellumine::ReadingPlace& place) {
  // Connected now: the page may have finished loading before the load call returned.
  restoring_ = true;
  auto finished = std::make_shared<QMetaObject::Connection>();
  const auto restore = [this, finished, page, place](bool) {
    if (view_->url() != page) return;
    disconnect(*finished);
    if (page != shownPage_) return;  // another document came meanwhile
    zoom_->setFactor(place.zoom);
    QPointer<ReadingPlaceKeeper> self(this);
    view_->page()->runJavaScript(scrollToTextPlaceScript(place.block, place.x, place.y),
                                 QWebEngineScript::ApplicationWorld, [self, page](const QVariant& scrolled) {
                                   if (!self) return;
                                   if (self->shownPage_ == page) self->restoring_ = false;
                                   Q_EMIT self->restored(scrolled.toBool());
                                 });
  };
  *finished = pages_ != nullptr ? connect(pages_, &PageLayout::pageShown, this, restore)
                                : connect(view_, &QWebEngineView::loadFinished, this, restore);
}

void ReadingPlaceKeeper::readPlace() {
  if (shownKey_.empty() || view_->url() != shownPage_ || restoring_) return;
  QPointer<ReadingPlaceKeeper> self(this);
  const QUrl page = shownPage_;
  view_->page()->runJavaScript(readTextPlaceScript(), QWebEngineScript::ApplicationWorld,
                               [self, page](const QVariant& value) {
                                 if (!self || self->shownPage_ != page) return;
                                 const QVariantList read = value.toList();
                                 if (read.size() != 4 || read[3].toInt() < 0) return;
                                 self->shownPlace_ = vellumine::ReadingPlace{read[3].toInt(), read[1].toDouble(),
                                                                             read[0].toDouble(), self->zoom_->factor()};
                                 Q_EMIT self->placeRead();
                               });
}
