// The main window driven by its shortcuts on the offscreen platform: start-up with a document,
// the F-keys, the open commands during a load, the close, and what the view shows.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <fstream>

#include "app/docx_writer.h"
#include "app/ui/HTMLView.h"
#include "app/ui/statusbar.h"
#include "app/ui/reload.h"
#include "app/ui/sui.h"
#include "ui_support.h"
#include "window_fixture.h"

namespace fs = std::filesystem;
using uitest::readFile;
using uitest::qs;
using uitest::kLoadTimeout;
using uitest::DialogAnswers;
using uitest::ModalWatcher;

class SuiTest : public QObject, uitest::WindowFixture {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase();
  void startsWithAPathArgument();
  void failedCommandLineDocumentLeavesTheWindowOpen();
  void f2OpensTheOpenDialog();
  void f10SavesOnlyOnceADocumentIsLoaded();
  void f3TogglesTheSidePaddings();
  void f4HidesTheStatusBar();
  void openCommandsWaitWhileALoadRuns();
  void closingRemovesThePackageFolderAndKeepsTmp();
  void grabAfterLoadingShowsTheText();
  void previewRendersWithoutAPrinter();
  void statusBarButtonShowsAbout();
  void cleanup();

 private:
  fs::path sample_;
};

void SuiTest::initTestCase() {
  QVERIFY(makeSandbox());
  sample_ = docs_ / "Sample report.docx";
  vellumine::test::writeDocx(
      sample_, {"Grab check: the quick brown fox jumps over the lazy dog.", "Second paragraph of plain text."},
      {{"docProps/core.xml", vellumine::test::coreXml("Sample title", "Ann Author", "2009-04-21T08:12:00Z")}});
}

void SuiTest::cleanup() { closeWindow(); }

void SuiTest::startsWithAPathArgument() {
  QVERIFY(start(sample_));
  waitForDocumentPage();
  QCOMPARE(form_->windowTitle(), QStringLiteral("Vellumine - ") + qs(sample_));
  for (const char* name : {"mPrintPreview", "mPrint", "mPageSetup"}) {
    QVERIFY2(action(name)->isEnabled(), name);
  }
  // Save As HTML is in the File menu with its keys (Ctrl+S, F10); the load enables it.
  QVERIFY(action("mSaveAsHTML")->isVisible());
  QVERIFY(action("mSaveAsHTML")->isEnabled());
  DocumentStatusBar* bar = form_->documentStatusBar();
  QCOMPARE(bar->titleText(), QStringLiteral(" Title: Sample title"));
  QCOMPARE(bar->authorText(), QStringLiteral(" Author: Ann Author"));
  QCOMPARE(bar->dateText(), QStringLiteral(" Date: 2009-04-21"));
  QCOMPARE(bar->sizeText(), QStringLiteral(" File Size: %1 KB").arg(fs::file_size(sample_) / 1024 + 1));
  QVERIFY(!bar->gaugeVisible());
  // The recent list is not changed by a command-line document.
  auto* recent = form_->findChild<QMenu*>(QStringLiteral("mOpenRecent"));
  QCOMPARE(recent->actions().size(), 8);
  for (QAction* item : recent->actions()) {
    QVERIFY(!item->isVisible());
    QVERIFY(item->text().isEmpty());
  }
}

void SuiTest::failedCommandLineDocumentLeavesTheWindowOpen() {
  const fs::path broken = docs_ / "Broken.docx";
  std::ofstream(broken) << "plain text, not an archive; long enough for the reader to look at it";
  DialogAnswers answers;
  ModalWatcher watcher([&](QWidget* dialog) { return answers.handle(dialog); });
  // The message box takes the activation, so the window is not waited for.
  form_ = std::make_unique<TForm1>(folders_, broken);
  form_->show();
  QTRY_COMPARE_WITH_TIMEOUT(answers.messages.size(), 1, kLoadTimeout);
  QVERIFY(!answers.messages.front().isEmpty());
  QVERIFY(form_->isVisible());
  QCOMPARE(form_->windowTitle(), QStringLiteral(" Vellumine 1.35"));
  QVERIFY(!action("mPrint")->isEnabled());
  QVERIFY(action("FileOpenItem")->isEnabled());
  QVERIFY(!form_->documentStatusBar()->gaugeVisible());
}

void SuiTest::f2OpensTheOpenDialog() {
  QVERIFY(start());
  DialogAnswers answers;
  ModalWatcher watcher([&](QWidget* dialog) { return answers.handle(dialog); });
  press(Qt::Key_F2);
  QCOMPARE(watcher.seen(), QStringList{QStringLiteral("OpenDialog")});
  QCOMPARE(answers.fileFilters, QStringList{QStringLiteral("*.docx (*.docx)")});
  QVERIFY(form_->document().packageFolder.empty());
}

void SuiTest::f10SavesOnlyOnceADocumentIsLoaded() {
  QVERIFY(start());
  DialogAnswers answers;
  ModalWatcher watcher([&](QWidget* dialog) { return answers.handle(dialog); });
  press(Qt::Key_F10);
  QVERIFY(watcher.seen().isEmpty());  // the item is disabled: no save dialog

  answers.fileToChoose = qs(sample_);
  press(Qt::Key_F2);
  waitForDocumentPage();

  const fs::path target = fs::path(dir_.path().toStdString()) / "saved" / "Saved page.htm";
  fs::create_directories(target.parent_path());
  answers.fileToChoose = qs(target);
  press(Qt::Key_F10);
  QCOMPARE(watcher.seen(), (QStringList{QStringLiteral("OpenDialog"), QStringLiteral("SaveDialog"),
                                        QStringLiteral("QMessageBox")}));
  QCOMPARE(answers.messages, QStringList{QStringLiteral("File has been saved as ") + qs(target) +
                                         QStringLiteral(" successfully.")});
  QCOMPARE(readFile(target), readFile(form_->document().htmlPath));
}

// F3 restyles the exact page's frame; the faithful page keeps its own page size and margins.
void SuiTest::f3TogglesTheSidePaddings() {
  QVERIFY(start(sample_));
  waitForDocumentPage();
  THTMLView* view = form_->view();
  const QString paddings = QStringLiteral(
      "[document.body.style.paddingLeft, document.body.style.paddingRight, document.body.style.paddingTop,"
      " document.body.style.paddingBottom].join(' ')");
  press(Qt::Key_F3);
  QVERIFY(!action("mUseOriginalPageSetting")->isChecked());
  QCOMPARE(uitest::evaluate(view, paddings).toString(), QStringLiteral("   "));
  press(Qt::Key_F3);

  QSignalSpy restored(form_->reloader(), &DocumentReloader::restored);
  action("mExactPage")->trigger();
  QTRY_COMPARE_WITH_TIMEOUT(restored.size(), 1, kLoadTimeout);
  press(Qt::Key_F3);
  QVERIFY(!action("mUseOriginalPageSetting")->isChecked());
  QCOMPARE(uitest::evaluate(view, paddings).toString(), QStringLiteral("10px 10px 10px "));

  press(Qt::Key_F3);
  QVERIFY(action("mUseOriginalPageSetting")->isChecked());
  const vellumine::Conversion& shown = *form_->document().conversion;
  QCOMPARE(uitest::evaluate(view, paddings).toString(),
           QStringLiteral("%1px %2px %3px ")
               .arg(QString::fromStdString(shown.marginLeft), QString::fromStdString(shown.marginRight),
                    QString::fromStdString(shown.marginTop)));
}

void SuiTest::f4HidesTheStatusBar() {
  QVERIFY(start(sample_));
  waitForDocumentPage();
  press(Qt::Key_F4);
  QVERIFY(!action("mShowStatusBar")->isChecked());
  QVERIFY(form_->documentStatusBar()->isHidden());
  // Loading with the bar hidden still works.
  form_->loadDocument(sample_);
  waitForDocumentPage();
  press(Qt::Key_F4);
  QVERIFY(action("mShowStatusBar")->isChecked());
  QVERIFY(!form_->documentStatusBar()->isHidden());
}

void SuiTest::openCommandsWaitWhileALoadRuns() {
  QVERIFY(start());
  QList<bool> openEnabled;
  connect(form_.get(), &TForm1::loadProgressShown, this, [&](int) {
    openEnabled << (action("FileOpenItem")->isEnabled() || action("mOpenExamples")->isEnabled());
  });
  form_->loadDocument(sample_);
  QVERIFY(openEnabled.size() >= 5);
  QVERIFY(!openEnabled.contains(true));
  QVERIFY(action("FileOpenItem")->isEnabled());
  QVERIFY(action("mOpenExamples")->isEnabled());
}

void SuiTest::closingRemovesThePackageFolderAndKeepsTmp() {
  QVERIFY(start(sample_));
  waitForDocumentPage();
  const fs::path package = form_->document().packageFolder;
  const fs::path session = form_->sessionFolder();
  QVERIFY(fs::exists(package / "word" / "doc.html"));
  QVERIFY(form_->close());
  QVERIFY(!fs::exists(package));
  QVERIFY(!fs::exists(session));
  QVERIFY(fs::is_directory(folders_.tmp));
}

void SuiTest::grabAfterLoadingShowsTheText() {
  QVERIFY(start(sample_));
  waitForDocumentPage();
  THTMLView* view = form_->view();
  QVERIFY(uitest::evaluate(view, QStringLiteral("document.body.innerText")).toString().contains(
      QStringLiteral("the quick brown fox")));
  // The first frames after the load can still be blank.
  QTRY_VERIFY_WITH_TIMEOUT(uitest::darkPixels(view->grab().toImage()) > 200, kLoadTimeout);
}

void SuiTest::previewRendersWithoutAPrinter() {
  QVERIFY(start(sample_));
  waitForDocumentPage();
  int pages = 0;
  ModalWatcher watcher([&](QWidget* dialog) {
    auto* preview = qobject_cast<QPrintPreviewDialog*>(dialog);
    if (preview == nullptr) return false;
    auto* widget = preview->findChild<QPrintPreviewWidget*>();
    pages = widget ? widget->pageCount() : 0;
    if (pages == 0) return false;  // still rendering
    preview->reject();
    return true;
  });
  press(Qt::Key_F6);
  QCOMPARE(watcher.seen(), QStringList{QStringLiteral("QPrintPreviewDialog")});
  QVERIFY(pages >= 1);
}

void SuiTest::statusBarButtonShowsAbout() {
  QVERIFY(start());
  QString text;
  QString button;
  ModalWatcher watcher([&](QWidget* dialog) {
    for (auto* child : dialog->findChildren<QWidget*>()) {
      if (auto* push = qobject_cast<QPushButton*>(child)) button = push->text();
    }
    text = dialog->findChild<QWidget*>(QStringLiteral("aboutText"))->property("plainText").toString();
    qobject_cast<QDialog*>(dialog)->accept();
    return true;
  });
  form_->findChild<QToolButton*>(QStringLiteral("aboutButton"))->click();
  QCOMPARE(watcher.seen(), QStringList{QStringLiteral("frmAbout")});
  QCOMPARE(button, QStringLiteral("Continue"));
  QVERIFY(text.contains(QStringLiteral("Vellumine")));
  QVERIFY(text.contains(QStringLiteral("1.3")));
}

int main(int argc, char** argv) {
  QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  QApplication app(argc, argv);
  SuiTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "sui_test.moc"
