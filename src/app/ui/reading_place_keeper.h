// ReadingPlaceKeeper: reopening a document puts the reader back where they left it.  While a
// document is shown, its place (the text block at the top of the view, how far into it, the zoom)
// is followed as the reader scrolls and zooms; when another document is shown or the window
// closes, that place goes to places.lst (app/reading_places.h).  A document shown again later
// (recent list, command line, File > Open, a drop) gets its place and zoom back once its page
// has loaded.  Reloads of the document shown (F5, the stories and engine switches) are left to
// DocumentReloader, which keeps the place itself.
#pragma once
#include <QObject>
#include <QTimer>
#include <QUrl>
#include <filesystem>
#include <optional>
#include <string>

#include "app/reading_places.h"

class PageLayout;
class QWebEngineView;
class ViewZoom;

class ReadingPlaceKeeper : public QObject {
  Q_OBJECT

 public:
  // file: places.lst; read here, written each time a document is left.
  ReadingPlaceKeeper(QWebEngineView* view, ViewZoom* zoom, std::filesystem::path file);
  // Places are put back once pages has laid the page out (in the page view), not at its load.
  void followPages(PageLayout* pages) { pages_ = pages; }

  // A load has handed document's page (at page) to the view.
  void documentShown(const std::filesystem::path& document, const QUrl& page);
  // The shown document is closed (or the window is): its place is kept.
  void documentClosed();

 Q_SIGNALS:
  // A shown document was put back at its place (true) or had none to go back to or no longer
  // has the block it was at (false).
  void restored(bool scrolled);
  // The place of the shown document has been read after the reader moved.
  void placeRead();

 private:
  void keepShownPlace();
  void restoreWhenLoaded(const QUrl& page, const vellumine::ReadingPlace& place);
  void readPlace();

  QWebEngineView* view_;
  PageLayout* pages_ = nullptr;
  ViewZoom* zoom_;
  std::filesystem::path file_;
  vellumine::ReadingPlaces places_;
  std::string shownKey_;  // readingPlaceKey of the shown document; empty when none
  QUrl shownPage_;
  std::optional<vellumine::ReadingPlace> shownPlace_;  // where the reader is, once known
  QTimer settle_;  // a place is read once scrolling has paused
  // Between the document shown and its place restored, nothing is read: the page scrolls as it is
  // laid out, and reading then would put the top of the page in place of the reader's.
  bool restoring_ = false;
};
