// The main window's View menu and the comforts around the document view: the find bar below the
// page, the zoom kept across documents, reload from the document's path, documents dropped onto
// the window, and the PDF export of the page shown.
#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

#include "app/savehtml.h"
#include "app/ui/HTMLView.h"
#include "app/ui/dropopen.h"
#include "app/ui/findbar.h"
#include "app/ui/guarded.h"
#include "app/ui/pdfexport.h"
#include "app/ui/reload.h"
#include "app/ui/statusbar.h"
#include "app/ui/sui.h"
#include "app/ui/zoom.h"

namespace fs = std::filesystem;

namespace {

QString toQString(const fs::path& path) { return QFile::decodeName(QByteArray::fromStdString(path.string())); }

}  // namespace

void TForm1::createViewMenu() {
  QMenu* viewMenu = menuBar()->addMenu(QStringLiteral("&View"));
  findItem_ = addCommand(viewMenu, QStringLiteral("mFind"), QStringLiteral("&Find..."),
                         QKeySequence(Qt::CTRL | Qt::Key_F), &TForm1::mFindClick);
  viewMenu->addSeparator();
  QAction* zoomIn = addCommand(viewMenu, QStringLiteral("mZoomIn"), QStringLiteral("Zoom &In"),
                               QKeySequence(Qt::CTRL | Qt::Key_Plus), &TForm1::mZoomInClick);
  // Ctrl+= is Ctrl++ without the Shift that "+" needs on most keyboards.
  zoomIn->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  addCommand(viewMenu, QStringLiteral("mZoomOut"), QStringLiteral("Zoom &Out"), QKeySequence(Qt::CTRL | Qt::Key_Minus),
             &TForm1::mZoomOutClick);
  addCommand(viewMenu, QStringLiteral("mActualSize"), QStringLiteral("&Actual Size"),
             QKeySequence(Qt::CTRL | Qt::Key_0), &TForm1::mActualSizeClick);
  viewMenu->addSeparator();
  showStoriesItem_ = addCommand(viewMenu, QStringLiteral("mShowStories"), QStringLiteral("&Notes, Comments and Headers"),
                                QKeySequence(), &TForm1::mShowStoriesClick);
  showStoriesItem_->setCheckable(true);
  showStoriesItem_->setChecked(state_.settings.includeStories);
  reloadItem_ = addCommand(viewMenu, QStringLiteral("mReload"), QStringLiteral("&Reload"), Qt::Key_F5,
                           &TForm1::mReloadClick);
  findItem_->setEnabled(false);
  reloadItem_->setEnabled(false);

  // The find bar sits between the document area and the status bar.
  findBar_ = new FindBar(view_, centralWidget());
  auto* column = static_cast<QVBoxLayout*>(centralWidget()->layout());
  column->insertWidget(column->indexOf(statusBar_), findBar_);

  zoom_ = new ViewZoom(view_);
  reloader_ = new DocumentReloader(
      view_,
      [this](const fs::path& document) {
        bool shown = false;
        runGuarded(this, [&] {
          loadDocument(document);
          shown = true;
        });
        return shown;
      },
      [this](const QString& message) { showMessage(this, message); });
  connect(this, &TForm1::documentShown, this, [this] { shownDocument_ = state_.currentDocumentPath; });

  setAcceptDrops(true);
  dropFilter_ = new DocumentDropFilter(
      this, [this](const fs::path& document) { runGuarded(this, [&] { openChosenDocument(document); }); },
      [this](const QString& message) { showMessage(this, message); });
  // Over the page the browser view would take the drag; elsewhere it reaches the window.
  dropFilter_->watch(view_);
  dropFilter_->watchAlone(this);
}

void TForm1::mFindClick() { findBar_->open(); }

void TForm1::mZoomInClick() { zoom_->zoomIn(); }

void TForm1::mZoomOutClick() { zoom_->zoomOut(); }

void TForm1::mActualSizeClick() { zoom_->actualSize(); }

QUrl TForm1::shownPageUrl() const {
  std::error_code ec;
  const fs::path page = fs::absolute(state_.htmlPath, ec);  // as the view navigated to it
  return QUrl::fromLocalFile(toQString(ec ? state_.htmlPath : page));
}

void TForm1::mReloadClick() {
  if (shownDocument_.empty()) return;
  reloader_->reload(shownDocument_, shownPageUrl());
}

// The page is made again with or without the stories, and the reader stays where they were.
void TForm1::mShowStoriesClick() {
  state_.settings.includeStories = showStoriesItem_->isChecked();
  if (shownDocument_.empty()) return;
  reloader_->reloadKeepingText(shownDocument_, shownPageUrl());
}

void TForm1::mExportPdfClick() {
  QFileDialog dialog(this, QString(), QString(), QStringLiteral("PDF File (*.pdf)"));
  dialog.setObjectName(QStringLiteral("ExportPdfDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("pdf"));
  if (!shownDocument_.empty()) {
    const QFileInfo document(toQString(shownDocument_));
    dialog.setDirectory(document.absolutePath());
    dialog.selectFile(document.completeBaseName() + QStringLiteral(".pdf"));
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const fs::path target = QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
  exportPdf(view_, target, view_->printer().pageLayout());
  showMessage(this, QString::fromStdString(vellumine::savedMessage(target)));
}
