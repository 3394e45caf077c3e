// LoadingCover: a "Loading..." sheet over the document view.  The browser engine takes a moment to
// start, and a document a moment to unpack and convert; until the view has painted a page it is an
// empty white rectangle, which reads as a broken program.  The sheet lies over the view from the
// moment the window is made until the view's first page has loaded, and from the start of each
// document load until the document's page has loaded.
#pragma once
#include <QLabel>
#include <QUrl>

class QWebEngineView;

class LoadingCover : public QLabel {
 public:
  // Covers view at once (its parent widget becomes the cover's) until view finishes its first page.
  explicit LoadingCover(QWebEngineView* view);

  // A document load starts: covered until uncoverWhenShown's page has loaded.
  void coverWhileLoading();
  // The load handed page to the view: uncovered once the view has finished it.
  void uncoverWhenShown(const QUrl& page);
  // The load has returned: one that handed no page over (it failed) uncovers now, or, when the
  // view has not finished a first page yet, waits for that.
  void loadEnded();

  bool covering() const { return waitingFor_ != Waiting::nothing; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class Waiting { nothing, firstPage, documentHandOver, documentPage };

  void pageFinished(const QUrl& finished);
  void setWaiting(Waiting waiting);

  QWebEngineView* view_;
  Waiting waitingFor_ = Waiting::nothing;
  QUrl page_;  // the document page waited for
  int otherPagesFinished_ = 0;  // while waiting for page_
  bool viewHasPage_ = false;
};
