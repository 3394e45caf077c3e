// PageLayout: the page view of the document shown.  When on, each page the view loads that is a
// faithful page (sections as div.vm-section) is laid out on pages by the paginator script
// (paginator.js, a resource) in the application's script world, a slice at a time from a timer,
// so that pages show as they are made and the window stays responsive.  It reports the page
// count and the page in view, and moves to a page.
#pragma once
#include <QObject>
#include <QPageLayout>
#include <QSizeF>
#include <QString>
#include <QTimer>

class QWebEngineView;

class PageLayout : public QObject {
  Q_OBJECT

 public:
  explicit PageLayout(QWebEngineView* view);

  // On: pages for every page loaded from now on (the window loads the page again to switch).
  void setOn(bool on) { on_ = on; }
  bool isOn() const { return on_; }

  int pageCount() const { return pages_; }
  int currentPage() const { return current_; }
  bool isDone() const { return done_; }  // the page shown is laid out (or has no pages)
  QSizeF firstPageSize() const { return firstPageSize_; }  // CSS pixels; empty without pages

  // Scrolls page number (1-based, clamped to the pages made) to the top of the view.
  void goToPage(int number);
  void nextPage() { goToPage(current_ + 1); }
  void previousPage() { goToPage(current_ - 1); }

  // What a print or PDF of the page shown is made on: the first page's size without margins when
  // the page is on pages (every page box then prints on a sheet of its own), else fallback.
  QPageLayout printLayout(const QPageLayout& fallback) const;

  // The paginator's source, as compiled into the program.
  static QString script();

 Q_SIGNALS:
  void pagesChanged(int current, int count);  // pages made so far, and the one in view
  void laidOut(int count);                    // the page shown has all its pages
  // The page loaded is shown as the reader will read it: at once in the continuous view, once
  // laid out in the page view.  What scrolls to a place waits for this, not for the load.
  void pageShown(bool ok);

 private:
  void pageLoaded(bool ok);
  void workSlice();
  void askPageInView();
  void setState(int current, int count);

  QWebEngineView* view_;
  QTimer slices_;
  bool on_ = true;
  bool done_ = true;
  bool busy_ = false;       // a slice is running in the page
  int generation_ = 0;      // the page load the answers belong to
  int pages_ = 0;
  int current_ = 0;
  QSizeF firstPageSize_;    // CSS pixels, once laid out
};
