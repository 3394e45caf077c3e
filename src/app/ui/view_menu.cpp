// The View menu: its items, and the find bar, zoom and reloader they drive.  Every item runs
// through runGuarded over the window, as the window's own commands do.
#include "app/ui/view_menu.h"

#include <algorithm>

#include <QAction>
#include <QActionGroup>
#include <QInputDialog>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "app/ui/HTMLView.h"
#include "app/ui/dark_page.h"
#include "app/ui/find_results.h"
#include "app/ui/findbar.h"
#include "app/ui/guarded.h"
#include "app/ui/outline_pane.h"
#include "app/ui/page_layout.h"
#include "app/ui/qt_path.h"
#include "app/ui/reload.h"
#include "app/ui/word_page_breaks.h"
#include "app/ui/zoom.h"

namespace fs = std::filesystem;

ViewMenu::ViewMenu(QMainWindow* window, THTMLView* view, vellumine::DocumentState& state, Load load)
    : QObject(window), window_(window), view_(view), state_(state), load_(std::move(load)) {
  pageLayout_ = new PageLayout(view_);  // before the items, which follow it
  wordPageBreaks_ = new WordPageBreaks(view_);
  createItems();
  findBar_ = new FindBar(view_, window_->centralWidget());
  zoom_ = new ViewZoom(view_);
  darkPage_ = new DarkPage(view_);
  reloader_ = new DocumentReloader(
      view_,
      [this](const fs::path& document) {
        bool shown = false;
        runGuarded(window_, [&] {
          load_(document);
          shown = true;
        });
        return shown;
      },
      [this](const QString& message) { showMessage(window_, message); });
  reloader_->followPages(pageLayout_);
}

QAction* ViewMenu::addCommand(QMenu* menu, const QString& objectName, const QString& caption,
                              const QKeySequence& shortcut, void (ViewMenu::*handler)()) {
  return addGuardedCommand(menu, window_, objectName, caption, shortcut, [this, handler] { (this->*handler)(); });
}

void ViewMenu::createItems() {
  QMenu* viewMenu = window_->menuBar()->addMenu(QStringLiteral("&View"));
  menu_ = viewMenu;
  findItem_ = addCommand(viewMenu, QStringLiteral("mFind"), QStringLiteral("&Find..."),
                         QKeySequence(Qt::CTRL | Qt::Key_F), &ViewMenu::mFindClick);
  viewMenu->addSeparator();
  createPageItems(viewMenu);
  viewMenu->addSeparator();
  QAction* zoomIn = addCommand(viewMenu, QStringLiteral("mZoomIn"), QStringLiteral("Zoom &In"),
                               QKeySequence(Qt::CTRL | Qt::Key_Plus), &ViewMenu::mZoomInClick);
  // Ctrl+= is Ctrl++ without the Shift that "+" needs on most keyboards.
  zoomIn->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  addCommand(viewMenu, QStringLiteral("mZoomOut"), QStringLiteral("Zoom &Out"), QKeySequence(Qt::CTRL | Qt::Key_Minus),
             &ViewMenu::mZoomOutClick);
  addCommand(viewMenu, QStringLiteral("mActualSize"), QStringLiteral("&Actual Size"),
             QKeySequence(Qt::CTRL | Qt::Key_0), &ViewMenu::mActualSizeClick);
  addGuardedCommand(viewMenu, window_, QStringLiteral("mFitWidth"), QStringLiteral("Fit &Width"), QKeySequence(),
                    [this] { fitPage(false); });
  addGuardedCommand(viewMenu, window_, QStringLiteral("mFitPage"), QStringLiteral("Fit Pa&ge"), QKeySequence(),
                    [this] { fitPage(true); });
  viewMenu->addSeparator();
  darkPageItem_ = addCommand(viewMenu, QStringLiteral("mDarkPage"), QStringLiteral("&Dark Page"),
                             QKeySequence(Qt::CTRL | Qt::Key_I), &ViewMenu::mDarkPageClick);
  darkPageItem_->setCheckable(true);
  showStoriesItem_ = addCommand(viewMenu, QStringLiteral("mShowStories"), QStringLiteral("&Notes, Comments and Headers"),
                                QKeySequence(), &ViewMenu::mShowStoriesClick);
  showStoriesItem_->setCheckable(true);
  showStoriesItem_->setChecked(state_.settings.includeStories);
  exactPageItem_ = addCommand(viewMenu, QStringLiteral("mExactPage"), QStringLiteral("&Exact Page"), QKeySequence(),
                              &ViewMenu::mExactPageClick);
  exactPageItem_->setCheckable(true);
  exactPageItem_->setChecked(state_.engine == vellumine::PageEngine::exact);
  createChangesMenu(viewMenu);
  reloadItem_ = addCommand(viewMenu, QStringLiteral("mReload"), QStringLiteral("&Reload"), Qt::Key_F5,
                           &ViewMenu::mReloadClick);
  setDocumentCommandsEnabled(false);
}

// Page Layout and Continuous, exclusive; Go to Page and Page Up/Down work in the page view.
void ViewMenu::createPageItems(QMenu* viewMenu) {
  auto* group = new QActionGroup(viewMenu);
  group->setExclusive(true);
  QAction* pages = addGuardedCommand(viewMenu, window_, QStringLiteral("mPageLayout"), QStringLiteral("&Page Layout"),
                                     QKeySequence(), [this] { showPages(true); });
  QAction* continuous = addGuardedCommand(viewMenu, window_, QStringLiteral("mContinuous"),
                                          QStringLiteral("C&ontinuous"), QKeySequence(), [this] { showPages(false); });
  for (QAction* item : {pages, continuous}) {
    item->setCheckable(true);
    group->addAction(item);
  }
  pages->setChecked(pageLayout_->isOn());
  continuous->setChecked(!pageLayout_->isOn());
  goToPageItem_ = addCommand(viewMenu, QStringLiteral("mGoToPage"), QStringLiteral("&Go to Page..."),
                             QKeySequence(Qt::CTRL | Qt::Key_G), &ViewMenu::mGoToPageClick);
  nextPageItem_ = addGuardedCommand(viewMenu, window_, QStringLiteral("mNextPage"), QStringLiteral("&Next Page"),
                                    QKeySequence(Qt::Key_PageDown), [this] { pageLayout_->nextPage(); });
  previousPageItem_ = addGuardedCommand(viewMenu, window_, QStringLiteral("mPreviousPage"),
                                        QStringLiteral("P&revious Page"), QKeySequence(Qt::Key_PageUp),
                                        [this] { pageLayout_->previousPage(); });
  wordPageBreaksItem_ = addCommand(viewMenu, QStringLiteral("mWordPageBreaks"), QStringLiteral("Word's Page &Breaks"),
                                   QKeySequence(), &ViewMenu::mWordPageBreaksClick);
  wordPageBreaksItem_->setCheckable(true);
  wordPageBreaksItem_->setChecked(wordPageBreaks_->isOn());
  // Page Up/Down move a page at a time only while there are pages; else they scroll as always.
  const auto follow = [this](int, int count) {
    goToPageItem_->setEnabled(count > 0);
    nextPageItem_->setEnabled(count > 0);
    previousPageItem_->setEnabled(count > 0);
  };
  connect(pageLayout_, &PageLayout::pagesChanged, this, follow);
  follow(0, 0);
}

// The page is made again and laid out on pages or not; the reader stays where they were.
void ViewMenu::showPages(bool on) {
  if (pageLayout_->isOn() == on) return;
  pageLayout_->setOn(on);
  if (shownDocument_.empty()) return;
  reloader_->reloadKeepingText(shownDocument_, shownPageUrl());
}

// The zoom at which a page (its width, or all of it) fills the view, with the grey around it.
void ViewMenu::fitPage(bool wholePage) {
  const QSizeF page = pageLayout_->firstPageSize();
  if (page.isEmpty()) return;
  constexpr double kAround = 48;  // the body's padding and a scroll bar, in pixels
  double factor = (view_->width() - kAround) / page.width();
  if (wholePage) factor = std::min(factor, (view_->height() - kAround) / page.height());
  zoom_->setFactor(factor);
}

void ViewMenu::mGoToPageClick() {
  const int count = pageLayout_->pageCount();
  if (count == 0) return;
  bool ok = false;
  const int page = QInputDialog::getInt(window_, QStringLiteral("Go to Page"),
                                        QStringLiteral("Page (1 to %1):").arg(count),
                                        std::max(pageLayout_->currentPage(), 1), 1, count, 1, &ok);
  window_->activateWindow();
  if (ok) pageLayout_->goToPage(page);
}

void ViewMenu::documentShown() {
  shownDocument_ = state_.currentDocumentPath;
  if (outline_ != nullptr) outline_->followPage(shownPageUrl());
}

void ViewMenu::attachSidePanes(OutlinePane* outline, FindResults* results) {
  outline_ = outline;
  results_ = results;
  findBar_->attachResults(results_);
  connect(results_, &FindResults::shownChanged, this, &ViewMenu::mOutlineClick);
  outlineItem_ = addCommand(menu_, QStringLiteral("mOutline"), QStringLiteral("O&utline"), Qt::Key_F9,
                            &ViewMenu::mOutlineClick);
  outlineItem_->setCheckable(true);
  outlineItem_->setChecked(true);
  menu_->insertAction(showStoriesItem_, outlineItem_);  // with the other things shown beside the text
  outline_->hide();
  connect(outline_, &OutlinePane::headingsRead, this, &ViewMenu::mOutlineClick);
}

void ViewMenu::mDarkPageClick() { darkPage_->setOn(darkPageItem_->isChecked()); }

// Shown or hidden on the page as it is: the marks are on every faithful page, hidden by its sheet.
void ViewMenu::mWordPageBreaksClick() { wordPageBreaks_->setOn(wordPageBreaksItem_->isChecked()); }

// The pane shows while the item is on and the document shown has headings, and no list of
// matches stands in its place.
void ViewMenu::mOutlineClick() {
  outline_->setVisible(outlineItem_->isChecked() && outline_->hasHeadings() && results_->isHidden());
}

void ViewMenu::documentClosed() {
  shownDocument_.clear();
  findBar_->close();
  if (outline_ != nullptr) outline_->followPage(QUrl());  // no headings: the pane hides
}

void ViewMenu::setDocumentCommandsEnabled(bool enabled) {
  findItem_->setEnabled(enabled);
  reloadItem_->setEnabled(enabled);
}

void ViewMenu::mFindClick() { findBar_->open(); }

void ViewMenu::mZoomInClick() { zoom_->zoomIn(); }

void ViewMenu::mZoomOutClick() { zoom_->zoomOut(); }

void ViewMenu::mActualSizeClick() { zoom_->actualSize(); }

QUrl ViewMenu::shownPageUrl() const { return localFileUrl(state_.htmlPath); }

void ViewMenu::mReloadClick() {
  if (shownDocument_.empty()) return;
  reloader_->reload(shownDocument_, shownPageUrl());
}

// The page is made again with or without the stories, and the reader stays where they were.
void ViewMenu::mShowStoriesClick() {
  state_.settings.includeStories = showStoriesItem_->isChecked();
  if (shownDocument_.empty()) return;
  reloader_->reloadKeepingText(shownDocument_, shownPageUrl());
}

// The earlier conversion's page, or back to the one that looks like the document; the reader
// stays where they were.
void ViewMenu::mExactPageClick() {
  state_.engine = exactPageItem_->isChecked() ? vellumine::PageEngine::exact : vellumine::PageEngine::faithful;
  if (shownDocument_.empty()) return;
  reloader_->reloadKeepingText(shownDocument_, shownPageUrl());
}

// View > Changes: three exclusive items, one per view of tracked changes.
void ViewMenu::createChangesMenu(QMenu* viewMenu) {
  struct ChangesItem {
    QString objectName, caption;
    vellumine::render::ChangesView view;
  };
  const ChangesItem items[] = {
      {QStringLiteral("mChangesMarkup"), QStringLiteral("All &Markup"), vellumine::render::ChangesView::markup},
      {QStringLiteral("mChangesFinal"), QStringLiteral("&Final"), vellumine::render::ChangesView::final},
      {QStringLiteral("mChangesOriginal"), QStringLiteral("&Original"), vellumine::render::ChangesView::original},
  };
  changesMenu_ = viewMenu->addMenu(QStringLiteral("&Changes"));
  changesMenu_->setObjectName(QStringLiteral("mChanges"));
  auto* group = new QActionGroup(changesMenu_);
  group->setExclusive(true);
  for (const ChangesItem& item : items) {
    const vellumine::render::ChangesView view = item.view;
    QAction* action = addGuardedCommand(changesMenu_, window_, item.objectName, item.caption, QKeySequence(),
                                        [this, view] { showChanges(view); });
    action->setCheckable(true);
    action->setChecked(state_.changes == view);
    group->addAction(action);
  }
}

// The page is made again with the changes shown this way; the reader stays where they were.
void ViewMenu::showChanges(vellumine::render::ChangesView view) {
  if (state_.changes == view) return;
  state_.changes = view;
  if (shownDocument_.empty()) return;
  reloader_->reloadKeepingText(shownDocument_, shownPageUrl());
}
