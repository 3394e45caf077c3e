// The main window: its creation (folders, session folder, start page), the first show (the
// command-line document, the help page), the menus with their commands (the View menu is a
// ViewMenu of its own), documents dropped onto the window, and the clean-up at close.  Every
// command runs through runGuarded; the loading itself is the core's loadDocument.
#include "app/ui/sui.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

#include "app/docxInfo.h"
#include "app/program_folders.h"
#include "app/savehtml.h"
#include "app/window_place_file.h"
#include "app/ui/HTMLView.h"
#include "app/ui/about.h"
#include "app/ui/desktop_keys.h"
#include "app/ui/dropopen.h"
#include "app/ui/find_results.h"
#include "app/ui/findbar.h"
#include "app/ui/guarded.h"
#include "app/ui/loading_cover.h"
#include "app/ui/logo.h"
#include "app/ui/outline_pane.h"
#include "app/ui/pdfexport.h"
#include "app/ui/plain_text.h"
#include "app/ui/qt_path.h"
#include "app/ui/reading_place_keeper.h"
#include "app/ui/statusbar.h"
#include "app/ui/window_placer.h"
#include "app/ui/page_layout.h"
#include "app/ui/zoom.h"

namespace fs = std::filesystem;

namespace {

constexpr int kRecentItems = 8;
constexpr int kSponsorWidth = 153;
const QString kProductSite = QStringLiteral("https://vellumine.org/");
const QString kProductSiteCaption = QStringLiteral("vellumine.org");
const QString kStartTitle = QStringLiteral(" Vellumine 1.35");

QString toQString(const std::u16string& text) { return QString::fromStdU16String(text); }

bool fileExists(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

QString toQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The icon the desktop entries name: the one beside the executable, else the installed theme icon.
fs::path programIcon(const fs::path& resources) {
  const fs::path beside = resources / "vellumine.svg";
  return fileExists(beside) ? beside : fs::path("vellumine");
}

bool confirmYesNo(QWidget* parent, std::string_view question) {
  return askPlain(parent, QMessageBox::Question, messageTitle(), toQString(question),
                  QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

QFrame* makePanel(QWidget* parent, const QColor& colour, int margin, QFrame::Shape shape) {
  auto* panel = new QFrame(parent);
  panel->setFrameShape(shape);
  panel->setAutoFillBackground(true);
  QPalette colours = panel->palette();
  colours.setColor(QPalette::Window, colour);
  panel->setPalette(colours);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(margin, margin, margin, margin);
  layout->setSpacing(0);
  return panel;
}

}  // namespace

TForm1::TForm1(const vellumine::ProgramFolders& folders, fs::path commandLineDocument, QWidget* parent)
    : QMainWindow(parent), folders_(folders), commandLineDocument_(std::move(commandLineDocument)) {
  setWindowTitle(kStartTitle);
  setWindowIcon(QIcon(vellumineLogo(64)));
  place_ = placeForNewWindow(folders_.windowPlace);
  applyNormalGeometry(this, place_);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, colours.color(QPalette::Button));
  setPalette(colours);
  // In points, so the text keeps its size to the eye at any screen scaling.
  QFont verdana(QStringLiteral("Verdana"));
  verdana.setPointSize(9);
  setFont(verdana);

  createDocumentArea();
  createFileMenu();
  createOptionsMenu();
  createViewMenu();
  acceptDroppedDocuments();
  createHelpMenu();
  about_ = new TfrmAbout(this);
  runGuarded(this, [this] { FormCreate(); });
}

TForm1::~TForm1() { FormClose(); }

void TForm1::FormCreate() {
  vellumine::createTmpFolder(folders_);  // a failure shows later, when a load writes its folder
  vellumine::removeAbandonedSessions(folders_.tmp);
  session_ = std::make_unique<vellumine::SessionFolder>(folders_.tmp);
  state_.tmpFolder = session_->path();
  const fs::path startPage = folders_.resources / "lib" / "init.htm";
  if (fileExists(startPage)) {
    view_->Navigate(startPage);
  } else {
    showMessage(this, QStringLiteral("Fatal Error: /lib/init.htm not found\nPlease re-install Vellumine."));
  }
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  // After the window has painted, so a long load never delays the first sight of it.
  QTimer::singleShot(0, this, [this] { FormShow(); });
}

void TForm1::showInPlace() { ::showInPlace(this, place_); }

void TForm1::FormShow() {
  sponsorPanel_->hide();
  createRecentItems();
  // On its own: an unreadable list is reported but still lets a command-line document open.
  runGuarded(this, [this] { loadRecentList(); });
  showRecentItems();
  if (!commandLineDocument_.empty()) {
    runGuarded(this, [this] { loadDocument(commandLineDocument_); });
    return;  // the document stays in view; the help page would hide it
  }
  const fs::path help = folders_.resources / "help.htm";
  if (fileExists(help)) view_->Navigate(help);
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (state_.loading) {
    // The extraction is inside this call's stack; close once it has returned.
    closeAfterLoad_ = true;
    event->ignore();
    return;
  }
  FormClose();
  event->accept();
}

void TForm1::FormClose() {
  if (closed_ || session_ == nullptr) return;
  closed_ = true;
  runGuarded(this, [this] { saveRecentList(); });
  if (placeKeeper_ != nullptr) placeKeeper_->documentClosed();
  saveWindowPlace();
  vellumine::closeDocument(state_);
  session_->remove();
}

// Only a window that was shown has a place to remember.  A place that cannot be written is not
// worth a message at close: the next start opens as a first one.
void TForm1::saveWindowPlace() {
  if (!shownOnce_ || folders_.windowPlace.empty()) return;
  vellumine::WindowPlace place = currentPlace(this);
  if (place.normal.width <= 0 || place.normal.height <= 0) place.normal = place_.normal;
  try {
    vellumine::writeWindowPlace(folders_.windowPlace, place);
  } catch (const std::exception&) {
  }
}

void TForm1::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && fullScreenItem_ != nullptr) {
    fullScreenItem_->setChecked(isFullScreen());
  }
}

// --- layout ---------------------------------------------------------------------------------

void TForm1::createDocumentArea() {
  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);

  auto* splitter = new QSplitter(Qt::Horizontal, central);
  splitter->setHandleWidth(2);
  sponsorPanel_ = new QWidget(splitter);
  sponsorPanel_->setFixedWidth(kSponsorWidth);
  auto* sponsorLayout = new QVBoxLayout(sponsorPanel_);
  sponsorLayout->setContentsMargins(0, 0, 0, 0);
  sponsorView_ = new THTMLView(sponsorPanel_);
  sponsorLayout->addWidget(sponsorView_);

  QFrame* area = makePanel(splitter, Qt::gray, 0, QFrame::NoFrame);
  QFrame* blackFrame = makePanel(area, Qt::black, 1, QFrame::NoFrame);
  QFrame* whitePanel = makePanel(blackFrame, Qt::white, 1, QFrame::Box);
  view_ = new THTMLView(whitePanel);
  view_->setObjectName(QStringLiteral("documentView"));
  whitePanel->layout()->addWidget(view_);
  loadingCover_ = new LoadingCover(view_);
  blackFrame->layout()->addWidget(whitePanel);
  area->layout()->addWidget(blackFrame);
  splitter->addWidget(sponsorPanel_);
  splitter->addWidget(area);
  outline_ = new OutlinePane(view_, splitter);
  splitter->insertWidget(1, outline_);  // between the sponsor panel and the page
  findResults_ = new FindResults(splitter);
  splitter->insertWidget(2, findResults_);  // in the outline's place while it is shown
  splitter->setStretchFactor(1, 0);
  splitter->setStretchFactor(2, 0);
  splitter->setStretchFactor(3, 1);

  statusBar_ = new DocumentStatusBar(central);
  connect(statusBar_, &DocumentStatusBar::aboutClicked, this,
          [this] { runGuarded(this, [this] { mAboutClick(); }); });
  connect(statusBar_, &DocumentStatusBar::warningsClicked, this, [this] {
    askPlain(this, QMessageBox::Warning, QStringLiteral("Document warnings"),
             QStringLiteral("The document is damaged; what could be read is shown.\n\n") +
                 statusBar_->warnings().join(QLatin1Char('\n')));
  });
  connect(statusBar_, &DocumentStatusBar::notShownClicked, this, [this] {
    askPlain(this, QMessageBox::Information, QStringLiteral("Not shown"),
             QStringLiteral("These parts of the document are not drawn on the page; a labelled box of their "
                            "size stands in the place of each.\n\n") +
                 statusBar_->notShown().join(QLatin1Char('\n')));
  });
  column->addWidget(splitter, 1);
  column->addWidget(statusBar_);
  setCentralWidget(central);
}

QAction* TForm1::addCommand(QMenu* menu, const QString& objectName, const QString& caption,
                            const QKeySequence& shortcut, void (TForm1::*handler)()) {
  return addGuardedCommand(menu, this, objectName, caption, shortcut, [this, handler] { (this->*handler)(); });
}

void TForm1::createFileMenu() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File  "));
  openItem_ = addCommand(file, QStringLiteral("FileOpenItem"), QStringLiteral("&Open..."), QKeySequence(),
                         &TForm1::FileOpenItemClick);
  openItem_->setShortcuts(desktopKeys({QKeySequence(Qt::CTRL | Qt::Key_O), Qt::Key_F2}, QKeySequence::Open));
  openRecentMenu_ = file->addMenu(QStringLiteral("Open Recent"));
  openRecentMenu_->setObjectName(QStringLiteral("mOpenRecent"));
  openExamplesItem_ = addCommand(file, QStringLiteral("mOpenExamples"), QStringLiteral("Open Examples"),
                                 QKeySequence(), &TForm1::mOpenExamplesClick);
  file->addSeparator();
  printPreviewItem_ = addCommand(file, QStringLiteral("mPrintPreview"), QStringLiteral("Print Preview"),
                                 Qt::Key_F6, &TForm1::mPrintPreviewClick);
  printItem_ = addCommand(file, QStringLiteral("mPrint"), QStringLiteral("&Print"), QKeySequence(),
                          &TForm1::mPrintClick);
  printItem_->setShortcuts(desktopKeys({QKeySequence(Qt::CTRL | Qt::Key_P)}, QKeySequence::Print));
  pageSetupItem_ = addCommand(file, QStringLiteral("mPageSetup"), QStringLiteral("Page Setup"), Qt::Key_F8,
                              &TForm1::mPageSetupClick);
  exportPdfItem_ = addCommand(file, QStringLiteral("mExportPdf"), QStringLiteral("Export as &PDF..."),
                              QKeySequence(), &TForm1::mExportPdfClick);
  file->addSeparator();
  saveAsHtmlItem_ = addCommand(file, QStringLiteral("mSaveAsHTML"), QStringLiteral("&Save As HTML..."),
                               QKeySequence(), &TForm1::mSaveAsHTMLClick);
  // The page is the only thing the viewer saves, so the desktop's Save key saves it.
  saveAsHtmlItem_->setShortcuts(desktopKeys({QKeySequence(Qt::CTRL | Qt::Key_S), Qt::Key_F10}, QKeySequence::Save));
  file->addSeparator();
  closeItem_ = addCommand(file, QStringLiteral("mClose"), QStringLiteral("&Close"), QKeySequence(),
                          &TForm1::mCloseClick);
  closeItem_->setShortcuts(desktopKeys({QKeySequence(Qt::CTRL | Qt::Key_W)}, QKeySequence::Close));
  QAction* exitItem =
      addCommand(file, QStringLiteral("mExit"), QStringLiteral("E&xit"), QKeySequence(), &TForm1::mExitClick);
  exitItem->setShortcuts(desktopKeys({QKeySequence(Qt::CTRL | Qt::Key_Q), Qt::Key_F12}, QKeySequence::Quit));
  setDocumentCommandsEnabled(false);
}

void TForm1::createOptionsMenu() {
  QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
  useOriginalPageSettingItem_ = addCommand(options, QStringLiteral("mUseOriginalPageSetting"),
                                           QStringLiteral("Use Original Page Setting"), Qt::Key_F3,
                                           &TForm1::mUseOriginalPageSettingClick);
  showStatusBarItem_ = addCommand(options, QStringLiteral("mShowStatusBar"), QStringLiteral("Show Status Bar"),
                                  Qt::Key_F4, &TForm1::mShowStatusBarClick);
  optimizeHtmlItem_ = addCommand(options, QStringLiteral("mOptimizeHTML"), QStringLiteral("&Optimize HTML"),
                                 QKeySequence(), &TForm1::mOptimizeHTMLClick);
  for (QAction* item : {useOriginalPageSettingItem_, showStatusBarItem_, optimizeHtmlItem_}) {
    item->setCheckable(true);
    item->setChecked(true);
  }
  optimizeHtmlItem_->setVisible(false);
  options->addSeparator();
  addCommand(options, QStringLiteral("mAssociate"), QStringLiteral("&Associate *.docx"), QKeySequence(),
             &TForm1::mAssociateClick);
  addCommand(options, QStringLiteral("mDeassociate"), QStringLiteral("De-associate *.docx"), QKeySequence(),
             &TForm1::mDeassociateClick);
  QMenu* shortcut = options->addMenu(QStringLiteral("Create a Shortcut"));
  shortcut->setObjectName(QStringLiteral("mCreateShortcut"));
  addCommand(shortcut, QStringLiteral("mShortcutOnDesktop"), QStringLiteral("on Desktop"), QKeySequence(),
             &TForm1::mShortcutOnDesktopClick);
  addCommand(shortcut, QStringLiteral("mShortcutInPrograms"), QStringLiteral("in Start/Programs"), QKeySequence(),
             &TForm1::mShortcutInProgramsClick);
}

void TForm1::createViewMenu() {
  viewMenu_ = new ViewMenu(this, view_, state_, [this](const fs::path& document) { loadDocument(document); });
  connect(this, &TForm1::documentShown, viewMenu_, &ViewMenu::documentShown);
  viewMenu_->attachSidePanes(outline_, findResults_);
  placeKeeper_ = new ReadingPlaceKeeper(view_, viewMenu_->zoom(), folders_.readingPlaces);
  placeKeeper_->followPages(viewMenu_->pageLayout());
  connect(this, &TForm1::documentShown, placeKeeper_,
          [this] { placeKeeper_->documentShown(state_.currentDocumentPath, localFileUrl(state_.htmlPath)); });
  connect(viewMenu_->zoom(), &ViewZoom::factorChanged, statusBar_, &DocumentStatusBar::setZoom);
  connect(viewMenu_->pageLayout(), &PageLayout::pagesChanged, statusBar_, &DocumentStatusBar::setPage);
  viewMenu_->menu()->addSeparator();
  fullScreenItem_ = addCommand(viewMenu_->menu(), QStringLiteral("mFullScreen"), QStringLiteral("F&ull Screen"),
                               QKeySequence(), &TForm1::mFullScreenClick);
  fullScreenItem_->setShortcuts(desktopKeys({QKeySequence(Qt::Key_F11)}, QKeySequence::FullScreen));
  fullScreenItem_->setCheckable(true);
  // The find bar sits between the document area and the status bar.
  auto* column = static_cast<QVBoxLayout*>(centralWidget()->layout());
  column->insertWidget(column->indexOf(statusBar_), viewMenu_->findBar());
}

// A dropped document opens as one chosen with File > Open does.
void TForm1::acceptDroppedDocuments() {
  setAcceptDrops(true);
  dropFilter_ = new DocumentDropFilter(
      this, [this](const fs::path& document) { runGuarded(this, [&] { openChosenDocument(document); }); },
      [this](const QString& message) { showMessage(this, message); });
  // Over the page the browser view would take the drag; elsewhere it reaches the window.
  dropFilter_->watch(view_);
  dropFilter_->watchAlone(this);
}

void TForm1::createHelpMenu() {
  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help  "));
  addCommand(help, QStringLiteral("mHelp"), QStringLiteral("Help "), Qt::Key_F1, &TForm1::mHelpClick);
  addCommand(help, QStringLiteral("mAbout"), QStringLiteral("&About..."), QKeySequence(), &TForm1::mAboutClick);
  addCommand(help, QStringLiteral("mWebSite"), kProductSiteCaption, QKeySequence(), &TForm1::mWebSiteClick);
}

// Eight captionless, hidden entries sharing one click handler; the recent list fills them.
void TForm1::createRecentItems() {
  if (!openRecentMenu_->actions().isEmpty()) return;
  for (int i = 0; i < kRecentItems; ++i) {
    QAction* item = openRecentMenu_->addAction(QString());
    item->setObjectName(QStringLiteral("mRecent%1").arg(i));
    item->setVisible(false);
    connect(item, &QAction::triggered, this, [this, item] { runGuarded(this, [this, item] { RecentItemClick(item); }); });
  }
}

void TForm1::loadRecentList() {
  recent_.loadRecentList(folders_.recentList);
  recentListLoaded_ = true;
}

void TForm1::saveRecentList() {
  // A list that was never read (start-up cut short, or an unreadable file) would be wiped.
  if (recentListLoaded_) recent_.saveRecentList(folders_.recentList);
}

// Item n shows slot n; an empty slot hides its item.
void TForm1::showRecentItems() {
  const QList<QAction*> items = openRecentMenu_->actions();
  for (int i = 0; i < kRecentItems && i < items.size(); ++i) {
    const std::string& path = recent_.slot(static_cast<std::size_t>(i));
    items[i]->setText(toQString(fs::path(vellumine::recentItemCaption(path))));
    items[i]->setVisible(!path.empty());
  }
}

// --- loading --------------------------------------------------------------------------------

void TForm1::setOpenCommandsEnabled(bool enabled) {
  openItem_->setEnabled(enabled);
  openRecentMenu_->setEnabled(enabled);
  openExamplesItem_->setEnabled(enabled);
  dropFilter_->setEnabled(enabled);
}

void TForm1::setDocumentCommandsEnabled(bool enabled) {
  for (QAction* item : {saveAsHtmlItem_, printPreviewItem_, printItem_, pageSetupItem_, exportPdfItem_, closeItem_}) {
    item->setEnabled(enabled);
  }
  if (viewMenu_ != nullptr) viewMenu_->setDocumentCommandsEnabled(enabled);  // built after the File menu
}

void TForm1::loadDocument(const fs::path& path) {
  vellumine::LoadObserver observer;
  observer.showProgress = [this](int position, std::string_view) {
    statusBar_->showGauge(position);
    Q_EMIT loadProgressShown(position);
  };
  observer.setCaption = [this](const std::string& caption) {
    setWindowTitle(literalWindowTitle(QString::fromStdString(caption)));
  };
  observer.navigate = [this](const fs::path& html) {
    loadingCover_->uncoverWhenShown(localFileUrl(html));
    view_->Navigate(html);
  };
  observer.finished = [this] {
    statusBar_->hideGauge();
    showDocumentInfo();
    view_->setFocus(Qt::OtherFocusReason);
    setDocumentCommandsEnabled(true);
    Q_EMIT documentShown();
  };
  // Repaint between archive entries; user input waits until the load is over.
  observer.extraction.progress = [] { QApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };
  observer.extraction.warning = [this](std::string_view message, std::string_view caption) {
    askPlain(this, QMessageBox::Warning, toQString(caption), toQString(message));
  };

  setOpenCommandsEnabled(false);
  loadingCover_->coverWhileLoading();
  struct AfterLoad {
    TForm1* form;
    ~AfterLoad() {
      // A gauge frozen at its last step after a failure would read as "still loading".
      form->statusBar_->hideGauge();
      form->loadingCover_->loadEnded();
      form->setOpenCommandsEnabled(true);
      if (form->closeAfterLoad_) QTimer::singleShot(0, form, &QWidget::close);
    }
  } afterLoad{this};
  vellumine::loadDocument(state_, path, observer);
}

void TForm1::showDocumentInfo() {
  vellumine::StatusTexts texts = vellumine::statusTexts(state_.properties, state_.currentDocumentPath);
  statusBar_->setTexts(toQString(texts.size), toQString(texts.title), toQString(texts.author),
                       toQString(texts.date));
  QStringList warnings;
  for (const std::string& warning : state_.warnings) warnings << QString::fromStdString(warning);
  statusBar_->setWarnings(warnings);
  QStringList notShown;
  for (const std::string& line : state_.notShown) notShown << QString::fromStdString(line);
  statusBar_->setNotShown(state_.notShownCount, notShown);
  statusBar_->setTrackedChanges(state_.trackedChanges);
}

// --- commands -------------------------------------------------------------------------------

fs::path TForm1::chooseDocument(const QString& objectName, const QString& title, const QString& folder) {
  QFileDialog dialog(this, title, folder, QStringLiteral("*.docx (*.docx)"));
  dialog.setObjectName(objectName);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return toPath(dialog.selectedFiles().constFirst());
}

// The save dialog; with a document, its folder and its name with suffix are offered.  Empty when
// the user cancelled.
fs::path TForm1::chooseSaveTarget(const QString& objectName, const QString& filter, const QString& suffix,
                                  const fs::path& document) {
  QFileDialog dialog(this, QString(), QString(), filter);
  dialog.setObjectName(objectName);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(suffix);
  if (!document.empty()) {
    const QFileInfo offered(toQString(document));
    dialog.setDirectory(offered.absolutePath());
    dialog.selectFile(offered.completeBaseName() + QLatin1Char('.') + suffix);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return toPath(dialog.selectedFiles().constFirst());
}

void TForm1::FileOpenItemClick() {
  fs::path chosen = chooseDocument(QStringLiteral("OpenDialog"), QString(), QString());
  if (!chosen.empty()) openChosenDocument(chosen);
}

// A document the user picked, from the open dialog or dropped onto the window.
void TForm1::openChosenDocument(const fs::path& chosen) {
  loadDocument(chosen);  // a document that fails to open throws past the list
  recent_.addRecentFile(chosen.string());
  showRecentItems();
}

void TForm1::RecentItemClick(QAction* item) {
  const fs::path path = vellumine::recentItemPath(QFile::encodeName(item->text()).toStdString());
  if (!fileExists(path)) {
    showMessage(this, toQString(vellumine::kRecentFileNotFound));
    return;
  }
  loadDocument(path);
}

void TForm1::mOpenExamplesClick() {
  fs::path chosen = chooseDocument(QStringLiteral("ExamplesDialog"), QStringLiteral("Open Examples"),
                                   toQString(folders_.resources / "Examples"));
  if (!chosen.empty()) loadDocument(chosen);
}

// On pages, print and preview use sheets of the pages' size (the Page Setup choice comes back
// afterwards, for the continuous view).
void TForm1::mPrintPreviewClick() { printOnPages([this] { view_->PrintPreview(); }); }

void TForm1::mPrintClick() { printOnPages([this] { view_->Print(); }); }

void TForm1::printOnPages(const std::function<void()>& print) {
  QPrinter& printer = view_->printer();
  const QPageLayout chosen = printer.pageLayout();
  printer.setPageLayout(viewMenu_->pageLayout()->printLayout(chosen));
  try {
    print();
  } catch (...) {
    printer.setPageLayout(chosen);
    throw;
  }
  printer.setPageLayout(chosen);
}

void TForm1::mPageSetupClick() { view_->PageSetup(); }

void TForm1::mExportPdfClick() {
  const fs::path target = chooseSaveTarget(QStringLiteral("ExportPdfDialog"), QStringLiteral("PDF File (*.pdf)"),
                                           QStringLiteral("pdf"), viewMenu_->shownDocument());
  if (target.empty()) return;
  exportPdf(view_, target, viewMenu_->pageLayout()->printLayout(view_->printer().pageLayout()));
  showMessage(this, QString::fromStdString(vellumine::savedMessage(target)));
}

void TForm1::mSaveAsHTMLClick() {
  const fs::path target =
      chooseSaveTarget(QStringLiteral("SaveDialog"), QStringLiteral("HTML File (*.htm)"), QStringLiteral("htm"), {});
  if (target.empty()) return;
  vellumine::exportHtml(state_.htmlPath, target);
  showMessage(this, QString::fromStdString(vellumine::savedMessage(target)));
}

// Back to the start page as at start-up; the zoom, the Options and View choices and the recent
// list stay, as they are the window's and not the document's.
void TForm1::mCloseClick() {
  if (state_.loading) return;
  placeKeeper_->documentClosed();  // while the page is still the document's
  vellumine::closeShownDocument(state_);
  setWindowTitle(kStartTitle);
  statusBar_->setTexts(QString(), QString(), QString(), QString());
  statusBar_->setWarnings({});
  statusBar_->setNotShown(0, {});
  setDocumentCommandsEnabled(false);
  viewMenu_->documentClosed();
  const fs::path startPage = folders_.resources / "lib" / "init.htm";
  if (fileExists(startPage)) view_->Navigate(startPage);
}

void TForm1::mExitClick() { close(); }

// Leaving full screen returns to the state before it: maximised or the normal geometry.
void TForm1::mFullScreenClick() {
  setWindowState(windowState() ^ Qt::WindowFullScreen);
  fullScreenItem_->setChecked(isFullScreen());
}

// Restyles the page shown through its DOM; the bottom padding is never touched.
void TForm1::mUseOriginalPageSettingClick() {
  state_.settings.useOriginalPageSetting = useOriginalPageSettingItem_->isChecked();
  // Only the exact page keeps the old frame; the faithful page sets its own page size and margins.
  const vellumine::Conversion* shown = state_.conversion.get();
  if (shown == nullptr) return;
  QString left = QStringLiteral("10");
  QString right = left;
  QString top = left;
  if (state_.settings.useOriginalPageSetting) {
    left = QString::fromStdString(shown->marginLeft);
    right = QString::fromStdString(shown->marginRight);
    top = QString::fromStdString(shown->marginTop);
  }
  view_->setBodyPadding(left, right, top);
}

void TForm1::mShowStatusBarClick() { statusBar_->setVisible(showStatusBarItem_->isChecked()); }

void TForm1::mOptimizeHTMLClick() { state_.settings.optimizeHtml = optimizeHtmlItem_->isChecked(); }

void TForm1::mAssociateClick() {
  if (!confirmYesNo(this, vellumine::kAssociateQuestion)) return;
  const vellumine::AssociateResult result = vellumine::associateExtension(
      vellumine::locateDesktopFolders(), vellumine::executablePath(), ".docx", programIcon(folders_.resources));
  showMessage(this, toQString(vellumine::associateMessage(result)));
}

void TForm1::mDeassociateClick() {
  if (!confirmYesNo(this, vellumine::kDeassociateQuestion)) return;
  const vellumine::DeassociateResult result =
      vellumine::deassociateExtension(vellumine::locateDesktopFolders(), vellumine::executablePath(), ".docx");
  showMessage(this, toQString(vellumine::deassociateMessage(result)));
}

void TForm1::mShortcutOnDesktopClick() { createShortcutIn(vellumine::ShortcutFolder::Desktop); }

void TForm1::mShortcutInProgramsClick() { createShortcutIn(vellumine::ShortcutFolder::Programs); }

void TForm1::createShortcutIn(vellumine::ShortcutFolder where) {
  const vellumine::DesktopFolders desktop = vellumine::locateDesktopFolders();
  if (vellumine::createShortcut(desktop, vellumine::executablePath(), where, programIcon(folders_.resources))) {
    showMessage(this, toQString(vellumine::kShortcutCreated));
    return;
  }
  const fs::path& folder = where == vellumine::ShortcutFolder::Desktop ? desktop.desktop : desktop.applications;
  showMessage(this, toQString(vellumine::kShortcutDenied) + QLatin1Char('\n') + toQString(folder));
}

void TForm1::mHelpClick() {
  const fs::path help = folders_.resources / "help.htm";
  if (fileExists(help)) view_->Navigate(help);
}

void TForm1::mAboutClick() { about_->exec(); }

void TForm1::mWebSiteClick() { QDesktopServices::openUrl(QUrl(kProductSite)); }
