// Window-test helpers: modal dialogs answered from a timer (dialogs run their own event loop
// inside the command under test), page loads recorded, scripts evaluated synchronously.
#include "ui_support.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTextDocument>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <fstream>
#include <sstream>

namespace uitest {

std::string readFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

QString qs(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

vellumine::ProgramFolders sandboxFolders(const std::filesystem::path& root) {
  vellumine::ProgramFolders folders;
  folders.resources = VELLUMINE_UI_RESOURCES_DIR;
  folders.tmp = root / "cache" / "vellumine" / "tmp";
  folders.recentList = root / "state" / "vellumine" / "rec.lst";
  folders.readingPlaces = root / "state" / "vellumine" / "places.lst";
  folders.windowPlace = root / "state" / "vellumine" / "window.ini";
  return folders;
}

ModalWatcher::ModalWatcher(Handler handler) : handler_(std::move(handler)) {
  timer_.setInterval(20);
  connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
  timer_.start();
}

ModalWatcher::~ModalWatcher() { timer_.stop(); }

void ModalWatcher::poll() {
  QWidget* dialog = QApplication::activeModalWidget();
  if (dialog == nullptr || !dialog->isVisible()) return;
  QString name = dialog->objectName().isEmpty() ? QString::fromLatin1(dialog->metaObject()->className())
                                                 : dialog->objectName();
  if (handler_(dialog)) seen_ << name;
}

bool DialogAnswers::handle(QWidget* dialog) {
  if (auto* files = qobject_cast<QFileDialog*>(dialog)) {
    fileFilters = files->nameFilters();
    if (fileToChoose.isEmpty()) {
      files->reject();
    } else {
      // Typed as a user would: selectFile() leaves the name field alone while it has the focus.
      auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      if (name == nullptr) return false;
      name->setText(fileToChoose);
      static_cast<QDialog*>(files)->done(QDialog::Accepted);  // accept() is protected
    }
    return true;
  }
  if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
    messages << box->text();
    // Qt's rule for a label's text: rich when so set, or when automatic and it looks like markup.
    const bool drawnAsMarkup = box->textFormat() == Qt::RichText || box->textFormat() == Qt::MarkdownText ||
                               (box->textFormat() == Qt::AutoText && Qt::mightBeRichText(box->text()));
    if (drawnAsMarkup) markupMessages << box->text();
    box->accept();
    return true;
  }
  if (auto* other = qobject_cast<QDialog*>(dialog)) {
    other->reject();
    return true;
  }
  return false;
}

PageLoads::PageLoads(QWebEngineView* view) {
  connect(view, &QWebEngineView::loadStarted, this,
          [this, view] { events_ << QStringLiteral("started ") + view->url().toString(); });
  connect(view, &QWebEngineView::loadFinished, this, [this, view](bool ok) {
    urls_ << view->url();
    events_ << (ok ? QStringLiteral("finished ") : QStringLiteral("failed ")) + view->url().toString();
  });
}

QVariant evaluate(QWebEngineView* view, const QString& script) {
  QVariant result;
  bool done = false;
  view->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant& value) {
    result = value;
    done = true;
  });
  if (!QTest::qWaitFor([&] { return done; }, 20000)) return {};  // the caller sees no value
  return result;
}

int darkPixels(const QImage& image) {
  int dark = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qGray(image.pixel(x, y)) < 128) ++dark;
    }
  }
  return dark;
}

}  // namespace uitest
