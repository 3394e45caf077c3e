// The loading sheet: a label in the window's colours that follows the view's geometry and is
// raised over it; the view's loadFinished takes it away.
#include "app/ui/loading_cover.h"

#include <QEvent>
#include <QWebEngineView>

namespace {

// The view asks for a page up to three times when the engine finishes another one instead
// (THTMLView::loadEnded) and then gives up; the sheet must not outlast that.
constexpr int kOtherPagesBeforeGivingUp = 4;

}  // namespace

LoadingCover::LoadingCover(QWebEngineView* view) : QLabel(view->parentWidget()), view_(view) {
  setObjectName(QStringLiteral("loadingCover"));
  setText(QStringLiteral("Loading..."));
  setAlignment(Qt::AlignCenter);
  setAutoFillBackground(true);
  QFont large = font();
  if (large.pointSizeF() > 0) large.setPointSizeF(large.pointSizeF() * 1.5);
  setFont(large);
  view_->installEventFilter(this);
  connect(view_, &QWebEngineView::loadFinished, this, [this] { pageFinished(view_->url()); });
  setWaiting(Waiting::firstPage);
}

void LoadingCover::coverWhileLoading() { setWaiting(Waiting::documentHandOver); }

void LoadingCover::uncoverWhenShown(const QUrl& page) {
  page_ = page.adjusted(QUrl::RemoveFragment);
  otherPagesFinished_ = 0;
  setWaiting(Waiting::documentPage);
}

void LoadingCover::loadEnded() {
  if (waitingFor_ != Waiting::documentHandOver) return;
  setWaiting(viewHasPage_ ? Waiting::nothing : Waiting::firstPage);
}

// A page that finishes while a document is unpacked is the one shown before (or the start page);
// the sheet stays until the document's own page is there.
void LoadingCover::pageFinished(const QUrl& finished) {
  viewHasPage_ = true;
  bool done = waitingFor_ == Waiting::firstPage;
  if (waitingFor_ == Waiting::documentPage) {
    done = finished.adjusted(QUrl::RemoveFragment) == page_ || ++otherPagesFinished_ >= kOtherPagesBeforeGivingUp;
  }
  if (done) setWaiting(Waiting::nothing);
}

void LoadingCover::setWaiting(Waiting waiting) {
  waitingFor_ = waiting;
  if (waiting == Waiting::nothing) {
    hide();
    return;
  }
  setGeometry(view_->geometry());
  raise();
  show();
  // A document load keeps the event loop away from user input; paint the sheet before it starts.
  if (isVisible()) repaint();
}

// The view is laid out by its parent; the sheet keeps to its rectangle.
bool LoadingCover::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move)) {
    setGeometry(view_->geometry());
  }
  return QLabel::eventFilter(watched, event);
}
