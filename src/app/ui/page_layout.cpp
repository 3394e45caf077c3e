// The page view's driver: injects the paginator into each loaded page's application world and runs
// it in slices of about 30 ms from a zero-interval timer (timers of the page's own do not fire
// there while page scripts are off), until it answers done.  Answers from an earlier page are
// recognised by the load they were asked in and dropped.
#include "app/ui/page_layout.h"

#include <algorithm>

#include <QFile>
#include <QPointer>
#include <QVariantMap>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

namespace {

constexpr int kSliceMilliseconds = 30;

}  // namespace

PageLayout::PageLayout(QWebEngineView* view) : QObject(view), view_(view) {
  slices_.setSingleShot(true);
  slices_.setInterval(0);
  connect(&slices_, &QTimer::timeout, this, &PageLayout::workSlice);
  connect(view_, &QWebEngineView::loadStarted, this, [this] {
    ++generation_;
    slices_.stop();
    busy_ = false;
    done_ = false;
    firstPageSize_ = QSizeF();
    setState(0, 0);
  });
  connect(view_, &QWebEngineView::loadFinished, this, &PageLayout::pageLoaded);
  connect(view_->page(), &QWebEnginePage::scrollPositionChanged, this, &PageLayout::askPageInView);
}

QString PageLayout::script() {
  QFile file(QStringLiteral(":/vellumine/paginator.js"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

void PageLayout::pageLoaded(bool ok) {
  if (!ok || !on_) {
    done_ = true;
    Q_EMIT laidOut(0);
    Q_EMIT pageShown(ok);
    return;
  }
  static const QString source = script();
  const int generation = generation_;
  QPointer<PageLayout> self(this);
  view_->page()->runJavaScript(source + QStringLiteral(";vmPages.start();"), QWebEngineScript::ApplicationWorld,
                               [self, generation](const QVariant&) {
                                 if (!self || self->generation_ != generation) return;
                                 self->slices_.start();
                               });
}

void PageLayout::workSlice() {
  if (busy_ || done_) return;
  busy_ = true;
  const int generation = generation_;
  QPointer<PageLayout> self(this);
  view_->page()->runJavaScript(
      QStringLiteral("(function(){vmPages.work(%1);return vmPages.state();})()")
          .arg(kSliceMilliseconds),
      QWebEngineScript::ApplicationWorld, [self, generation](const QVariant& answer) {
        if (!self || self->generation_ != generation) return;
        self->busy_ = false;
        const QVariantMap result = answer.toMap();
        if (result.isEmpty()) {  // the script did not run (the page went away): nothing to lay out
          self->done_ = true;
          Q_EMIT self->laidOut(self->pages_);
          Q_EMIT self->pageShown(true);
          return;
        }
        self->firstPageSize_ = QSizeF(result.value(QStringLiteral("width")).toDouble(),
                                      result.value(QStringLiteral("height")).toDouble());
        self->setState(result.value(QStringLiteral("current")).toInt(), result.value(QStringLiteral("pages")).toInt());
        if (result.value(QStringLiteral("done")).toBool()) {
          self->done_ = true;
          Q_EMIT self->laidOut(self->pages_);
          Q_EMIT self->pageShown(true);
          return;
        }
        self->slices_.start();
      });
}

void PageLayout::askPageInView() {
  if (pages_ == 0) return;
  const int generation = generation_;
  QPointer<PageLayout> self(this);
  view_->page()->runJavaScript(QStringLiteral("window.vmPages?vmPages.pageInView():0"),
                               QWebEngineScript::ApplicationWorld, [self, generation](const QVariant& answer) {
                                 if (!self || self->generation_ != generation) return;
                                 self->setState(answer.toInt(), self->pages_);
                               });
}

void PageLayout::goToPage(int number) {
  if (pages_ == 0) return;
  const int page = std::clamp(number, 1, pages_);
  QPointer<PageLayout> self(this);
  view_->page()->runJavaScript(QStringLiteral("window.vmPages?vmPages.goTo(%1):0").arg(page),
                               QWebEngineScript::ApplicationWorld, [self](const QVariant&) {
                                 if (self) self->askPageInView();
                               });
}

QPageLayout PageLayout::printLayout(const QPageLayout& fallback) const {
  if (pages_ == 0 || firstPageSize_.isEmpty()) return fallback;
  // CSS pixels to points: 96 to 72.  The pages' own @page sizes win where the engine honours them.
  const QSizeF points = firstPageSize_ * 0.75;
  return QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch), QPageLayout::Portrait,
                     QMarginsF(0, 0, 0, 0));
}

void PageLayout::setState(int current, int count) {
  if (current == current_ && count == pages_) return;
  current_ = current;
  pages_ = count;
  Q_EMIT pagesChanged(current_, pages_);
}
