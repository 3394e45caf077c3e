// TForm1: the viewer's main window.  Menus, the document area with its browser view, the status
// bar, and the commands; the document itself is loaded by the Qt-free core (app/load_document).
#pragma once
#include <QMainWindow>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/load_document.h"
#include "app/program_folders.h"
#include "app/session_folder.h"
#include "app/shortcut.h"
#include "app/ui/view_menu.h"
#include "app/urecentfile.h"
#include "app/window_place.h"

class QAction;
class QMenu;
class QSplitter;
class OutlinePane;
class FindResults;
class DarkPage;
class WordPageBreaks;
class ReadingPlaceKeeper;
class THTMLView;
class TfrmAbout;
class DocumentStatusBar;
class DocumentDropFilter;
class LoadingCover;

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  // folders: where resources are read and package folders go; commandLineDocument: the document
  // to open once the window is first shown (empty for none).
  TForm1(const vellumine::ProgramFolders& folders, std::filesystem::path commandLineDocument,
         QWidget* parent = nullptr);
  ~TForm1() override;

  // Shows the window where it was left last time (size, place, maximised or full screen), or,
  // on a first start, at about two thirds of the screen, centred.
  void showInPlace();

  // Loads a document into the view; throws what the core throws.  The commands that open
  // documents are disabled while it runs.
  void loadDocument(const std::filesystem::path& path);

  const vellumine::DocumentState& document() const { return state_; }
  const std::filesystem::path& sessionFolder() const { return session_->path(); }
  THTMLView* view() const { return view_; }
  const vellumine::RecentFileList& recentFiles() const { return recent_; }
  DocumentStatusBar* documentStatusBar() const { return statusBar_; }
  FindBar* findBar() const { return viewMenu_->findBar(); }
  ViewZoom* zoom() const { return viewMenu_->zoom(); }
  DocumentReloader* reloader() const { return viewMenu_->reloader(); }
  ReadingPlaceKeeper* placeKeeper() const { return placeKeeper_; }
  OutlinePane* outline() const { return outline_; }
  FindResults* findResults() const { return findResults_; }
  DarkPage* darkPage() const { return viewMenu_->darkPage(); }
  WordPageBreaks* wordPageBreaks() const { return viewMenu_->wordPageBreaks(); }
  LoadingCover* loadingCover() const { return loadingCover_; }

 Q_SIGNALS:
  void loadProgressShown(int position);  // each step of a load, gauge visible at position
  void documentShown();                  // a load handed its page to the view

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void FormCreate();
  void FormShow();
  void FormClose();

  void createDocumentArea();
  void createFileMenu();
  void createOptionsMenu();
  void createViewMenu();
  void acceptDroppedDocuments();
  void createHelpMenu();
  void createRecentItems();
  void loadRecentList();
  void saveRecentList();
  void saveWindowPlace();
  void showRecentItems();
  QAction* addCommand(QMenu* menu, const QString& objectName, const QString& caption,
                      const QKeySequence& shortcut, void (TForm1::*handler)());

  void FileOpenItemClick();
  void openChosenDocument(const std::filesystem::path& chosen);
  void mOpenExamplesClick();
  void RecentItemClick(QAction* item);
  void mPrintPreviewClick();
  void mPrintClick();
  void printOnPages(const std::function<void()>& print);
  void mPageSetupClick();
  void mExportPdfClick();
  void mSaveAsHTMLClick();
  void mCloseClick();
  void mExitClick();
  void mFullScreenClick();
  void mUseOriginalPageSettingClick();
  void mShowStatusBarClick();
  void mOptimizeHTMLClick();
  void mAssociateClick();
  void mDeassociateClick();
  void mShortcutOnDesktopClick();
  void mShortcutInProgramsClick();
  void createShortcutIn(vellumine::ShortcutFolder where);
  void mHelpClick();
  void mAboutClick();
  void mWebSiteClick();

  void showDocumentInfo();
  void setOpenCommandsEnabled(bool enabled);
  void setDocumentCommandsEnabled(bool enabled);
  std::filesystem::path chooseDocument(const QString& objectName, const QString& title,
                                       const QString& folder);
  std::filesystem::path chooseSaveTarget(const QString& objectName, const QString& filter, const QString& suffix,
                                         const std::filesystem::path& document);

  vellumine::ProgramFolders folders_;
  std::filesystem::path commandLineDocument_;
  std::unique_ptr<vellumine::SessionFolder> session_;
  vellumine::DocumentState state_;
  vellumine::RecentFileList recent_;
  bool recentListLoaded_ = false;  // rec.lst is written back only once it has been read
  bool shownOnce_ = false;
  bool closed_ = false;
  bool closeAfterLoad_ = false;
  vellumine::WindowPlace place_;  // where the window opened; its normal geometry stands in for a missing one

  THTMLView* view_ = nullptr;
  THTMLView* sponsorView_ = nullptr;
  QWidget* sponsorPanel_ = nullptr;
  DocumentStatusBar* statusBar_ = nullptr;
  ReadingPlaceKeeper* placeKeeper_ = nullptr;
  OutlinePane* outline_ = nullptr;
  FindResults* findResults_ = nullptr;
  TfrmAbout* about_ = nullptr;

  QAction* openItem_ = nullptr;
  QMenu* openRecentMenu_ = nullptr;
  QAction* openExamplesItem_ = nullptr;
  QAction* printPreviewItem_ = nullptr;
  QAction* printItem_ = nullptr;
  QAction* pageSetupItem_ = nullptr;
  QAction* exportPdfItem_ = nullptr;
  QAction* saveAsHtmlItem_ = nullptr;
  QAction* closeItem_ = nullptr;
  QAction* fullScreenItem_ = nullptr;
  LoadingCover* loadingCover_ = nullptr;
  QAction* useOriginalPageSettingItem_ = nullptr;
  QAction* showStatusBarItem_ = nullptr;
  QAction* optimizeHtmlItem_ = nullptr;
  ViewMenu* viewMenu_ = nullptr;
  DocumentDropFilter* dropFilter_ = nullptr;
};
