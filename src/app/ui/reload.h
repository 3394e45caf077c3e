// DocumentReloader: F5 in the viewer.  Loads the current document again from its path and, when
// the new page is as long as the old one, puts the page back where the reader was.
#pragma once
#include <QObject>
#include <QUrl>
#include <filesystem>
#include <functional>

class PageLayout;
class QWebEngineView;

class DocumentReloader : public QObject {
  Q_OBJECT

 public:
  using Load = std::function<bool(const std::filesystem::path& document)>;
  using Message = std::function<void(const QString& text)>;

  // load opens a document the way the window does (false when it failed, which it has reported);
  // message tells the reader something.
  DocumentReloader(QWebEngineView* view, Load load, Message message);

  // Reloads document, whose page (when it is the one shown) is at page.  A document that no
  // longer exists gives the "File not found." message and nothing else happens.
  void reload(const std::filesystem::path& document, const QUrl& page);
  // The same for a page made again with more or less around the document's own text (notes,
  // headers): the reader is put back at the same block of that text, wherever it now stands.
  void reloadKeepingText(const std::filesystem::path& document, const QUrl& page);
  // The place is put back once pages has laid the page out (in the page view), not at its load.
  void followPages(PageLayout* pages) { pages_ = pages; }

 Q_SIGNALS:
  // The page of a reload has been shown and, where its length allowed, scrolled back.
  void restored(bool scrolled);

 private:
  struct Position {
    double x = 0;
    double y = 0;
    double height = -1;  // of the whole page; -1 when unknown
    int block = -1;      // reloadKeepingText: the text block at the top of the view, y into it
  };
  void startReload(const std::filesystem::path& document, const QUrl& page, bool keepText);
  void readAndLoad(const std::filesystem::path& document, const QUrl& page, bool keepText);
  void loadKeeping(const std::filesystem::path& document, const QUrl& page, const Position& position);
  void restore(const Position& position);
  void restoreTextBlock(const Position& position);
  void scrollBack(const QString& script);

  QWebEngineView* view_;
  PageLayout* pages_ = nullptr;
  Load load_;
  Message message_;
  bool reloading_ = false;
};
