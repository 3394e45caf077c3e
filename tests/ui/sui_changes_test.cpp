// View > Changes on the offscreen platform: the three views of tracked changes, each making the
// page again where the reader was, and the status bar cell that says a document has changes.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>

#include "app/docx_writer.h"
#include "app/ui/HTMLView.h"
#include "app/ui/reload.h"
#include "app/ui/statusbar.h"
#include "app/ui/sui.h"
#include "ui_support.h"
#include "window_fixture.h"

namespace fs = std::filesystem;
using uitest::kLoadTimeout;

class SuiChangesTest : public QObject, uitest::WindowFixture {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase();
  void changesItemsAreExclusiveWithAllMarkupFirst();
  void eachViewShowsItsTextKeepingThePlace();
  void statusBarSaysWhenADocumentHasTrackedChanges();
  void cleanup();

 private:
  QString pageText() { return uitest::evaluate(form_->view(), QStringLiteral("document.body.innerText")).toString(); }
  QString topParagraph() {
    return uitest::evaluate(form_->view(), QStringLiteral("(function(){for(const p of document.querySelectorAll("
                                                          "'#page p,.vm-col p')){if(p.getBoundingClientRect().bottom>0)"
                                                          "return p.innerText;}return '';})()"))
        .toString();
  }
  QLabel* changesCell() const { return form_->documentStatusBar()->findChild<QLabel*>(QStringLiteral("changesCell")); }

  fs::path revised_;  // seventy paragraphs, then one with a deleted and an inserted word
  fs::path plain_;    // no tracked changes
};

void SuiChangesTest::initTestCase() {
  QVERIFY(makeSandbox());
  const std::string ns = "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"";
  std::string body;
  for (int i = 1; i <= 70; ++i) {
    body += "<w:p><w:r><w:t>Paragraph " + std::to_string(i) + ": quince jelly sets overnight.</w:t></w:r></w:p>";
  }
  body += "<w:p><w:r><w:t xml:space=\"preserve\">The jam was </w:t></w:r>"
          "<w:del w:id=\"1\" w:author=\"Ann Lee\" w:date=\"2024-05-03T10:12:00Z\"><w:r><w:delText>runny</w:delText>"
          "</w:r></w:del><w:ins w:id=\"2\" w:author=\"Bob Stone\"><w:r><w:t>thick</w:t></w:r></w:ins></w:p>";
  revised_ = docs_ / "Revised.docx";
  vellumine::test::writeZip(revised_, {{"word/document.xml", "<w:document " + ns + "><w:body>" + body +
                                                                 "</w:body></w:document>"}});
  plain_ = docs_ / "Plain.docx";
  vellumine::test::writeDocx(plain_, {"Nothing was changed here."});
}

void SuiChangesTest::cleanup() { closeWindow(); }

void SuiChangesTest::changesItemsAreExclusiveWithAllMarkupFirst() {
  QVERIFY(start());
  const char* names[] = {"mChangesMarkup", "mChangesFinal", "mChangesOriginal"};
  const QString captions[] = {QStringLiteral("All &Markup"), QStringLiteral("&Final"), QStringLiteral("&Original")};
  for (int k = 0; k < 3; ++k) {
    QAction* item = action(names[k]);
    QVERIFY(item != nullptr);
    QCOMPARE(item->text(), captions[k]);
    QVERIFY(item->isCheckable());
    QCOMPARE(item->isChecked(), k == 0);
    QVERIFY(item->actionGroup() != nullptr && item->actionGroup()->isExclusive());
  }
  auto* menu = form_->findChild<QMenu*>(QStringLiteral("mChanges"));
  QVERIFY(menu != nullptr);
  QCOMPARE(menu->title(), QStringLiteral("&Changes"));
}

// Markup shows both words, Final only the inserted one, Original only the deleted one; each
// switch makes the page again with the same paragraph at the top.
void SuiChangesTest::eachViewShowsItsTextKeepingThePlace() {
  QVERIFY(start(revised_));
  waitForDocumentPage();
  QVERIFY(pageText().contains(QStringLiteral("runny")));
  QVERIFY(pageText().contains(QStringLiteral("thick")));
  uitest::evaluate(form_->view(), QStringLiteral("window.scrollTo(0, 900)"));
  const QString place = topParagraph();
  QVERIFY(place.startsWith(QStringLiteral("Paragraph ")));

  struct Step {
    const char* item;
    bool runny, thick;
  };
  const Step steps[] = {{"mChangesFinal", false, true}, {"mChangesOriginal", true, false}, {"mChangesMarkup", true, true}};
  QSignalSpy restored(form_->reloader(), &DocumentReloader::restored);
  int reloads = 0;
  for (const Step& step : steps) {
    action(step.item)->trigger();
    ++reloads;
    QTRY_COMPARE_WITH_TIMEOUT(restored.size(), reloads, kLoadTimeout);
    QVERIFY(action(step.item)->isChecked());
    QCOMPARE(pageText().contains(QStringLiteral("runny")), step.runny);
    QCOMPARE(pageText().contains(QStringLiteral("thick")), step.thick);
    QCOMPARE(topParagraph(), place);
  }
  // The marked-up page names who deleted the word.
  const std::string page = uitest::readFile(form_->document().htmlPath);
  QVERIFY(page.find("title=\"Deleted by Ann Lee, 2024-05-03 10:12\"") != std::string::npos);
}

void SuiChangesTest::statusBarSaysWhenADocumentHasTrackedChanges() {
  QVERIFY(start(revised_));
  waitForDocumentPage();
  QLabel* cell = changesCell();
  QVERIFY(cell != nullptr);
  QVERIFY(cell->isVisibleTo(form_.get()));
  QCOMPARE(form_->documentStatusBar()->trackedChangesText(), QStringLiteral("Tracked changes"));
  QCOMPARE(cell->toolTip(), QStringLiteral("2 tracked changes in the document"));

  form_->loadDocument(plain_);
  waitForDocumentPage();
  QVERIFY(!cell->isVisibleTo(form_.get()));
  QVERIFY(form_->documentStatusBar()->trackedChangesText().isEmpty());
}

int main(int argc, char** argv) {
  QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  QApplication app(argc, argv);
  SuiChangesTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "sui_changes_test.moc"
