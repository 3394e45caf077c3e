// A file that is no Word package, opened over a shown document: the message box says what the
// file is, and the window goes on showing the first document from its intact package folder.
#include <QAction>
#include <QApplication>
#include <QTest>
#include <QUrl>
#include <filesystem>

#include "app/docx_writer.h"
#include "app/ui/HTMLView.h"
#include "app/ui/sui.h"
#include "support/foreign_files.h"
#include "text/fileutil.h"
#include "ui_support.h"
#include "window_fixture.h"

namespace fs = std::filesystem;
using uitest::DialogAnswers;
using uitest::kLoadTimeout;
using uitest::ModalWatcher;
using uitest::qs;

class SuiForeignTest : public QObject, uitest::WindowFixture {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase();
  void foreignFileLeavesTheShownDocument_data();
  void foreignFileLeavesTheShownDocument();
  void cleanup();

 private:
  fs::path first_;
};

void SuiForeignTest::initTestCase() {
  QVERIFY(makeSandbox());
  first_ = docs_ / "First.docx";
  vellumine::test::writeDocx(first_, {"The first document stays on show."});
}

void SuiForeignTest::cleanup() { closeWindow(); }

void SuiForeignTest::foreignFileLeavesTheShownDocument_data() {
  QTest::addColumn<QString>("file");
  QTest::addColumn<QString>("message");
  for (const vellumine::test::ForeignFile& foreign : vellumine::test::foreignFiles()) {
    const fs::path file = docs_ / (foreign.name + ".docx");
    vellumine::WriteTextFile(file, foreign.bytes);
    QTest::newRow(foreign.name.c_str()) << qs(file) << QString::fromStdString(foreign.message);
  }
}

void SuiForeignTest::foreignFileLeavesTheShownDocument() {
  QFETCH(QString, file);
  QFETCH(QString, message);
  QVERIFY(start(first_));
  waitForDocumentPage();
  const fs::path page = form_->document().htmlPath;
  const std::string pageBytes = uitest::readFile(page);

  DialogAnswers answers;
  ModalWatcher watcher([&](QWidget* dialog) { return answers.handle(dialog); });
  answers.fileToChoose = file;
  press(Qt::Key_F2);
  QTRY_COMPARE_WITH_TIMEOUT(answers.messages.size(), 1, kLoadTimeout);
  QCOMPARE(answers.messages.front(), message);

  QCOMPARE(form_->windowTitle(), QStringLiteral("Vellumine - ") + qs(first_));
  QCOMPARE(form_->document().currentDocumentPath, first_);
  QCOMPARE(form_->document().htmlPath, page);
  QCOMPARE(uitest::readFile(page), pageBytes);
  QVERIFY(fs::exists(form_->document().packageFolder / "word" / "document.xml"));
  QCOMPARE(form_->view()->url(), QUrl::fromLocalFile(qs(page)));
  QVERIFY(uitest::evaluate(form_->view(), QStringLiteral("document.body.innerText"))
              .toString()
              .contains(QStringLiteral("The first document stays on show.")));
  QVERIFY(action("mPrint")->isEnabled());
  QCOMPARE(form_->recentFiles().slot(0), std::string());  // a failed open is not remembered
}

int main(int argc, char** argv) {
  QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  QApplication app(argc, argv);
  SuiForeignTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "sui_foreign_test.moc"
