// ViewMenu: the main window's View menu and what it drives around the document view: the find bar
// below the page, the zoom kept across documents, reload from the document's path, and the
// "Notes, Comments and Headers" item that makes the page again with or without them, and the
// "Exact Page" item that makes it again with the other engine, and the Changes submenu that makes
// it again showing tracked changes marked up, accepted or rejected; "Page Layout" (at start) and
// "Continuous", the document on its pages or as one page, with Go to Page and Page Up/Down, and
// "Word's Page Breaks", which marks in the margin where Word broke the pages.
#pragma once
#include <QObject>
#include <QString>
#include <QUrl>
#include <filesystem>
#include <functional>

#include "app/load_document.h"

class DarkPage;
class DocumentReloader;
class FindBar;
class FindResults;
class OutlinePane;
class PageLayout;
class QAction;
class QKeySequence;
class QMainWindow;
class QMenu;
class THTMLView;
class ViewZoom;
class WordPageBreaks;

class ViewMenu : public QObject {
 public:
  // Loads a document as the window does; throws what the load throws.
  using Load = std::function<void(const std::filesystem::path& document)>;

  // Adds the View menu to window's menu bar, for view.  state is the window's document state: the
  // reload reads the page shown from it and the stories item sets its settings.  The find bar is
  // made for the window's central widget; the window puts it in its place.
  ViewMenu(QMainWindow* window, THTMLView* view, vellumine::DocumentState& state, Load load);

  QMenu* menu() const { return menu_; }
  FindBar* findBar() const { return findBar_; }
  ViewZoom* zoom() const { return zoom_; }
  DocumentReloader* reloader() const { return reloader_; }
  DarkPage* darkPage() const { return darkPage_; }
  PageLayout* pageLayout() const { return pageLayout_; }
  WordPageBreaks* wordPageBreaks() const { return wordPageBreaks_; }

  // A load has shown its page: its document is the one that reload and the stories item load again.
  void documentShown();
  // The document was closed: reload and the stories item have nothing to load again.
  void documentClosed();
  // The document of the last load that showed its page; empty before the first and after a close.
  const std::filesystem::path& shownDocument() const { return shownDocument_; }

  // Find and reload work on a document; the zoom works on any page.
  void setDocumentCommandsEnabled(bool enabled);

  // Adds View > Outline (F9, on at start) for outline, the pane beside the page, which follows each
  // document shown and is visible while the item is on and the document has headings, unless
  // results, the find bar's list of matches, has taken its place.
  void attachSidePanes(OutlinePane* outline, FindResults* results);

 private:
  QAction* addCommand(QMenu* menu, const QString& objectName, const QString& caption,
                      const QKeySequence& shortcut, void (ViewMenu::*handler)());
  void createItems();

  void mFindClick();
  void mZoomInClick();
  void mZoomOutClick();
  void mActualSizeClick();
  void mReloadClick();
  void mShowStoriesClick();
  void mExactPageClick();
  void mOutlineClick();
  void mDarkPageClick();
  void createPageItems(QMenu* viewMenu);
  void showPages(bool on);
  void mGoToPageClick();
  void mWordPageBreaksClick();
  void fitPage(bool wholePage);
  void createChangesMenu(QMenu* viewMenu);
  void showChanges(vellumine::render::ChangesView view);
  QUrl shownPageUrl() const;  // the page of the shown document, as the view navigated to it

  QMainWindow* window_;
  THTMLView* view_;
  vellumine::DocumentState& state_;
  Load load_;

  QMenu* menu_ = nullptr;
  QAction* findItem_ = nullptr;
  QAction* reloadItem_ = nullptr;
  QAction* showStoriesItem_ = nullptr;
  QAction* exactPageItem_ = nullptr;
  QAction* outlineItem_ = nullptr;
  QAction* darkPageItem_ = nullptr;
  OutlinePane* outline_ = nullptr;
  FindResults* results_ = nullptr;
  QMenu* changesMenu_ = nullptr;
  FindBar* findBar_ = nullptr;
  ViewZoom* zoom_ = nullptr;
  DocumentReloader* reloader_ = nullptr;
  DarkPage* darkPage_ = nullptr;
  PageLayout* pageLayout_ = nullptr;
  QAction* goToPageItem_ = nullptr;
  QAction* nextPageItem_ = nullptr;
  QAction* previousPageItem_ = nullptr;
  QAction* wordPageBreaksItem_ = nullptr;
  WordPageBreaks* wordPageBreaks_ = nullptr;
  std::filesystem::path shownDocument_;
};
