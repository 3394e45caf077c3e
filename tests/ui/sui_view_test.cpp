// The window's View menu and its neighbours, driven by their shortcuts on the offscreen platform:
// find, zoom, reload, documents dropped onto the window, and the PDF export of the File menu.
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QCheckBox>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QSignalSpy>
#include <QToolButton>
#include <QTreeWidget>
#include <QTest>
#include <cmath>
#include <filesystem>

#include "app/docx_writer.h"
#include "app/ui/HTMLView.h"
#include "app/ui/dark_page.h"
#include "app/ui/find_results.h"
#include "app/ui/findbar.h"
#include "app/ui/outline_pane.h"
#include "app/ui/page_layout.h"
#include "app/ui/reload.h"
#include "app/ui/statusbar.h"
#include "app/ui/sui.h"
#include "app/ui/zoom.h"
#include "pdf_support.h"
#include "ui_support.h"
#include "window_fixture.h"

namespace fs = std::filesystem;
using uitest::qs;
using uitest::kLoadTimeout;
using uitest::DialogAnswers;
using uitest::ModalWatcher;

namespace {

std::vector<std::string> numberedParagraphs(int count, const std::string& text) {
  std::vector<std::string> paragraphs;
  for (int i = 1; i <= count; ++i) paragraphs.push_back("Paragraph " + std::to_string(i) + ": " + text);
  return paragraphs;
}

}  // namespace

class SuiViewTest : public QObject, uitest::WindowFixture {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase();
  void viewMenuStandsBetweenOptionsAndHelp();
  void viewItemsHaveTheirShortcuts_data();
  void viewItemsHaveTheirShortcuts();
  void documentItemsWaitForADocument();
  void findCountsAndStepsThroughMatches();
  void findWholeWordsAndListAllWithTheStories();
  void zoomKeysStepAndReset();
  void zoomStaysForTheNextDocument();
  void reloadShowsTheChangedFile();
  void reloadKeepsThePlaceInAnUnchangedDocument();
  void reloadOfAVanishedDocumentSaysFileNotFound();
  void storiesOptionTogglesNotesAndHeadersKeepingThePlace();
  void exactPageItemSwitchesEnginesKeepingThePlace();
  void outlineListsTheHeadingsAndFollowsTheReader();
  void darkPageMakesTextReadableAndLeavesPicturesAndPrintingAlone();
  void damagedDocumentShowsItsWarningsInTheStatusBar();
  void itemsNotShownAreCountedInTheStatusBar();
  void droppedDocumentOpens();
  void droppedTextFileIsRefused();
  void exportWritesThePageOnThePageSetupLayout();
  void cleanup();

 private:
  QString topParagraph() {
    return uitest::evaluate(form_->view(), QStringLiteral("(function(){for(const p of document.querySelectorAll("
                                                          "'#page p,.vm-col p')){if(p.getBoundingClientRect().bottom>0)"
                                                          "return p.innerText;}return '';})()"))
        .toString();
  }
  QString pageText() { return uitest::evaluate(form_->view(), QStringLiteral("document.body.innerText")).toString(); }
  fs::path copyOf(const fs::path& document, const std::string& name);
  void drop(const QList<QUrl>& urls, QWidget* target);
  QWidget* pageWidget() const { return form_->view()->focusProxy() ? form_->view()->focusProxy() : form_->view(); }

  fs::path jam_;       // "marmalade" three times, once capitalised
  fs::path twoPages_;  // long enough for a second page
};

void SuiViewTest::initTestCase() {
  QVERIFY(makeSandbox());
  jam_ = docs_ / "Jam.docx";
  vellumine::test::writeDocx(jam_, {"Marmalade on toast.", "Orange marmalade keeps.", "Lemon marmalade too."});
  twoPages_ = docs_ / "Two pages.docx";
  vellumine::test::writeDocx(twoPages_, numberedParagraphs(75, "quince jelly sets overnight."));
}

void SuiViewTest::cleanup() { closeWindow(); }

fs::path SuiViewTest::copyOf(const fs::path& document, const std::string& name) {
  const fs::path copy = docs_ / name;
  fs::copy_file(document, copy, fs::copy_options::overwrite_existing);
  return copy;
}

// The drag as the desktop delivers it to target.
void SuiViewTest::drop(const QList<QUrl>& urls, QWidget* target) {
  QMimeData data;
  data.setUrls(urls);
  const QPoint at = target->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &dropped);
  QVERIFY(dropped.isAccepted());
}

void SuiViewTest::viewMenuStandsBetweenOptionsAndHelp() {
  QVERIFY(start());
  QStringList titles;
  for (QAction* menu : form_->menuBar()->actions()) titles << menu->text();
  QCOMPARE(titles, (QStringList{QStringLiteral("&File  "), QStringLiteral("&Options"), QStringLiteral("&View"),
                                QStringLiteral("&Help  ")}));
  // The export follows "Page Setup" in the File menu.
  QList<QAction*> file = form_->menuBar()->actions().constFirst()->menu()->actions();
  const qsizetype pageSetup = file.indexOf(action("mPageSetup"));
  QCOMPARE(file.at(pageSetup + 1)->text(), QStringLiteral("Export as &PDF..."));
}

void SuiViewTest::viewItemsHaveTheirShortcuts_data() {
  QTest::addColumn<QString>("item");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QList<QKeySequence>>("keys");
  QTest::newRow("find") << "mFind" << "&Find..." << QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_F)};
  QTest::newRow("zoom in") << "mZoomIn" << "Zoom &In"
                           << QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Plus),
                                                  QKeySequence(Qt::CTRL | Qt::Key_Equal)};
  QTest::newRow("zoom out") << "mZoomOut" << "Zoom &Out" << QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Minus)};
  QTest::newRow("actual size") << "mActualSize" << "&Actual Size"
                               << QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_0)};
  QTest::newRow("reload") << "mReload" << "&Reload" << QList<QKeySequence>{QKeySequence(Qt::Key_F5)};
  QTest::newRow("outline") << "mOutline" << "O&utline" << QList<QKeySequence>{QKeySequence(Qt::Key_F9)};
}

void SuiViewTest::viewItemsHaveTheirShortcuts() {
  QFETCH(QString, item);
  QFETCH(QString, caption);
  QFETCH(QList<QKeySequence>, keys);
  QVERIFY(start());
  auto* found = form_->findChild<QAction*>(item);
  QVERIFY(found != nullptr);
  QCOMPARE(found->text(), caption);
  QCOMPARE(found->shortcuts(), keys);
}

void SuiViewTest::documentItemsWaitForADocument() {
  QVERIFY(start());
  for (const char* name : {"mFind", "mReload", "mExportPdf"}) QVERIFY2(!action(name)->isEnabled(), name);
  press(Qt::Key_F, Qt::ControlModifier);
  QVERIFY(!form_->findBar()->isVisible());
  // The zoom works on any page, the start and help pages included.
  press(Qt::Key_Equal, Qt::ControlModifier);
  QCOMPARE(form_->zoom()->factor(), 1.1);

  form_->loadDocument(jam_);
  waitForDocumentPage();
  for (const char* name : {"mFind", "mReload", "mExportPdf"}) QVERIFY2(action(name)->isEnabled(), name);
}

void SuiViewTest::findCountsAndStepsThroughMatches() {
  QVERIFY(start(jam_));
  waitForDocumentPage();
  FindBar* bar = form_->findBar();
  press(Qt::Key_F, Qt::ControlModifier);
  QVERIFY(bar->isVisible());
  auto* field = bar->findChild<QLineEdit*>(QStringLiteral("findField"));
  QTRY_VERIFY(field->hasFocus());
  QTest::keyClicks(field, QStringLiteral("marmalade"));
  QTRY_COMPARE_WITH_TIMEOUT(bar->matchText(), QStringLiteral("1 of 3"), kLoadTimeout);
  QCOMPARE(bar->findChild<QLabel*>(QStringLiteral("findMatches"))->text(), QStringLiteral("1 of 3"));

  QTest::keyClick(field, Qt::Key_Return);
  QTRY_COMPARE(bar->matchText(), QStringLiteral("2 of 3"));
  QTest::keyClick(field, Qt::Key_Return);
  QTest::keyClick(field, Qt::Key_Return);
  QTRY_COMPARE(bar->matchText(), QStringLiteral("1 of 3"));  // round to the first again
  QTest::keyClick(field, Qt::Key_Return, Qt::ShiftModifier);
  QTRY_COMPARE(bar->matchText(), QStringLiteral("3 of 3"));

  bar->findChild<QCheckBox*>(QStringLiteral("findMatchCase"))->setChecked(true);
  QTRY_COMPARE(bar->matchCount(), 2);  // "Marmalade" no longer counts
  field->setText(QStringLiteral("treacle"));
  QTRY_COMPARE(bar->matchText(), QStringLiteral("No matches"));

  QTest::keyClick(field, Qt::Key_Escape);
  QVERIFY(!bar->isVisible());
  QTRY_VERIFY(form_->view()->hasFocus() || form_->view()->focusProxy()->hasFocus());
}

// "cat" stands alone three times (once in the header) and inside two other words.
void SuiViewTest::findWholeWordsAndListAllWithTheStories() {
  const std::string ns = "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
                         "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";
  const fs::path document = docs_ / "Cats.docx";
  vellumine::test::writeZip(
      document,
      {{"word/document.xml",
        "<w:document " + ns + "><w:body><w:p><w:r><w:t xml:space=\"preserve\">cat catalogue </w:t></w:r>"
                              "<w:r><w:rPr><w:b/></w:rPr><w:t>scat</w:t></w:r></w:p><w:p><w:r><w:t>the cat sat</w:t>"
                              "</w:r></w:p><w:sectPr><w:headerReference w:type=\"default\" r:id=\"rH\"/></w:sectPr>"
                              "</w:body></w:document>"},
       {"word/_rels/document.xml.rels",
        "<Relationships><Relationship Id=\"rH\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
        "relationships/header\" Target=\"header1.xml\"/></Relationships>"},
       {"word/header1.xml", "<w:hdr " + ns + "><w:p><w:r><w:t>cat in the header</w:t></w:r></w:p></w:hdr>"}});
  QVERIFY(start(document));
  waitForDocumentPage();
  FindBar* bar = form_->findBar();
  press(Qt::Key_F, Qt::ControlModifier);
  auto* field = bar->findChild<QLineEdit*>(QStringLiteral("findField"));
  QTRY_VERIFY(field->hasFocus());
  QTest::keyClicks(field, QStringLiteral("cat"));
  QTRY_COMPARE_WITH_TIMEOUT(bar->matchText(), QStringLiteral("1 of 5"), kLoadTimeout);

  const QString selected = QStringLiteral("window.getSelection().toString()");
  const QString selectedParagraph =
      QStringLiteral("(function(){var n=window.getSelection().anchorNode;return n?n.parentElement.closest('p').innerText:'';})()");
  bar->findChild<QCheckBox*>(QStringLiteral("findWholeWord"))->setChecked(true);
  QTRY_COMPARE_WITH_TIMEOUT(bar->matchText(), QStringLiteral("1 of 3"), kLoadTimeout);
  QTRY_COMPARE(uitest::evaluate(form_->view(), selectedParagraph).toString(), QStringLiteral("cat in the header"));
  QTest::keyClick(field, Qt::Key_Return);
  QTRY_COMPARE(bar->matchText(), QStringLiteral("2 of 3"));
  QTest::keyClick(field, Qt::Key_Return, Qt::ShiftModifier);
  QTest::keyClick(field, Qt::Key_Return, Qt::ShiftModifier);
  QTRY_COMPARE(bar->matchText(), QStringLiteral("3 of 3"));  // round to the last
  QTRY_COMPARE(uitest::evaluate(form_->view(), selectedParagraph).toString(), QStringLiteral("the cat sat"));
  QCOMPARE(uitest::evaluate(form_->view(), selected).toString(), QStringLiteral("cat"));

  FindResults* results = form_->findResults();
  QTest::keyClick(field, Qt::Key_Return, Qt::AltModifier);
  QTRY_VERIFY_WITH_TIMEOUT(results->isVisible(), kLoadTimeout);
  QCOMPARE(results->findChild<QLabel*>(QStringLiteral("findResultsHeading"))->text(),
           QStringLiteral("3 matches of \u201ccat\u201d"));
  QCOMPARE(results->list()->count(), 3);
  QCOMPARE(results->list()->item(1)->text(), QStringLiteral("cat catalogue scat"));

  // Parts of words are listed when whole words are off.
  bar->findChild<QCheckBox*>(QStringLiteral("findWholeWord"))->setChecked(false);
  bar->findChild<QToolButton*>(QStringLiteral("findListAll"))->click();
  QTRY_COMPARE_WITH_TIMEOUT(results->list()->count(), 5, kLoadTimeout);

  QSignalSpy shown(results, &FindResults::matchShown);
  QListWidgetItem* last = results->list()->item(4);
  QTest::mouseClick(results->list()->viewport(), Qt::LeftButton, {}, results->list()->visualItemRect(last).center());
  QCOMPARE(shown.size(), 1);
  QCOMPARE(shown.at(0).at(0).toInt(), 4);
  QTRY_COMPARE(uitest::evaluate(form_->view(), selectedParagraph).toString(), QStringLiteral("the cat sat"));

  QTest::keyClick(field, Qt::Key_Escape);
  QVERIFY(!bar->isVisible());
  QVERIFY(!results->isVisible());
}

void SuiViewTest::zoomKeysStepAndReset() {
  QVERIFY(start(jam_));
  waitForDocumentPage();
  struct Step {
    int key;
    Qt::KeyboardModifiers modifiers;
    double factor;
  };
  const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
  const Step steps[] = {{Qt::Key_Plus, ctrl, 1.1},
                        {Qt::Key_Equal, ctrl, 1.25},
                        {Qt::Key_Plus, ctrl | Qt::KeypadModifier, 1.5},
                        {Qt::Key_Minus, ctrl, 1.25},
                        {Qt::Key_Minus, ctrl | Qt::KeypadModifier, 1.1},
                        {Qt::Key_Minus, ctrl, 1.0},
                        {Qt::Key_Minus, ctrl, 0.9},
                        {Qt::Key_0, ctrl, 1.0}};
  for (const Step& step : steps) {
    press(step.key, step.modifiers);
    QCOMPARE(form_->zoom()->factor(), step.factor);
    QTRY_COMPARE(form_->view()->zoomFactor(), step.factor);
  }
}

void SuiViewTest::zoomStaysForTheNextDocument() {
  QVERIFY(start(jam_));
  waitForDocumentPage();
  for (int i = 0; i < 3; ++i) press(Qt::Key_Plus, Qt::ControlModifier);
  QCOMPARE(form_->zoom()->factor(), 1.5);
  form_->loadDocument(twoPages_);
  waitForDocumentPage();
  QTRY_COMPARE(form_->view()->zoomFactor(), 1.5);
  QTRY_COMPARE(uitest::evaluate(form_->view(), QStringLiteral("window.devicePixelRatio")).toDouble(), 1.5);
}

void SuiViewTest::reloadShowsTheChangedFile() {
  const fs::path document = copyOf(jam_, "Changing.docx");
  QVERIFY(start(document));
  waitForDocumentPage();
  QVERIFY(pageText().contains(QStringLiteral("Orange marmalade")));
  vellumine::test::writeDocx(document, {"Apricot jam replaced it."});
  QSignalSpy reloaded(form_->reloader(), &DocumentReloader::restored);
  press(Qt::Key_F5);
  QTRY_COMPARE_WITH_TIMEOUT(reloaded.size(), 1, kLoadTimeout);  // read once the page is shown (laid out)
  QVERIFY(pageText().contains(QStringLiteral("Apricot jam")));
  QCOMPARE(form_->windowTitle(), QStringLiteral("Vellumine - ") + qs(document));
}

void SuiViewTest::reloadKeepsThePlaceInAnUnchangedDocument() {
  const fs::path document = copyOf(twoPages_, "Long.docx");
  QVERIFY(start(document));
  waitForDocumentPage();
  THTMLView* view = form_->view();
  uitest::evaluate(view, QStringLiteral("window.scrollTo(0, 400)"));
  QTRY_COMPARE(uitest::evaluate(view, QStringLiteral("window.scrollY")).toInt(), 400);

  QSignalSpy restored(form_->reloader(), &DocumentReloader::restored);
  press(Qt::Key_F5);
  QTRY_COMPARE_WITH_TIMEOUT(restored.size(), 1, kLoadTimeout);
  QCOMPARE(restored.at(0).at(0).toBool(), true);
  QCOMPARE(uitest::evaluate(view, QStringLiteral("window.scrollY")).toInt(), 400);

  // Half the text gone: the old place would point elsewhere, so the page starts at the top.
  vellumine::test::writeDocx(document, numberedParagraphs(40, "quince jelly sets overnight."));
  press(Qt::Key_F5);
  QTRY_COMPARE_WITH_TIMEOUT(restored.size(), 2, kLoadTimeout);
  QCOMPARE(restored.at(1).at(0).toBool(), false);
  QCOMPARE(uitest::evaluate(view, QStringLiteral("window.scrollY")).toInt(), 0);
}

void SuiViewTest::storiesOptionTogglesNotesAndHeadersKeepingThePlace() {
  const std::string ns = "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
                         "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";
  std::string body;
  for (const std::string& text : numberedParagraphs(75, "quince jelly sets overnight."))
    body += "<w:p><w:r><w:t>" + text + "</w:t></w:r></w:p>";
  body += "<w:p><w:r><w:t>Noted</w:t></w:r><w:r><w:footnoteReference w:id=\"1\"/></w:r></w:p>";
  const std::string type = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
  const fs::path document = docs_ / "Stories.docx";
  vellumine::test::writeZip(document, {
      {"word/document.xml", "<w:document " + ns + "><w:body>" + body +
                                "<w:sectPr><w:headerReference w:type=\"default\" r:id=\"rH\"/></w:sectPr></w:body></w:document>"},
      {"word/_rels/document.xml.rels",
       "<Relationships><Relationship Id=\"rH\" Type=\"" + type + "header\" Target=\"header1.xml\"/>"
       "<Relationship Id=\"rF\" Type=\"" + type + "footnotes\" Target=\"footnotes.xml\"/></Relationships>"},
      {"word/header1.xml", "<w:hdr " + ns + "><w:p><w:r><w:t>Running head</w:t></w:r></w:p></w:hdr>"},
      {"word/footnotes.xml", "<w:footnotes " + ns + "><w:footnote w:id=\"1\"><w:p><w:r><w:t>The quince note"
                             "</w:t></w:r></w:p></w:footnote></w:footnotes>"}});
  QVERIFY(start(document));
  waitForDocumentPage();
  QAction* item = action("mShowStories");
  QVERIFY(item->isCheckable() && item->isChecked());
  QCOMPARE(item->text(), QStringLiteral("&Notes, Comments and Headers"));
  QVERIFY(pageText().contains(QStringLiteral("Running head")));
  QVERIFY(pageText().contains(QStringLiteral("The quince note")));
  uitest::evaluate(form_->view(), QStringLiteral("window.scrollTo(0, 900)"));
  const QString place = topParagraph();
  QVERIFY(place.startsWith(QStringLiteral("Paragraph ")));

  QSignalSpy restored(form_->reloader(), &DocumentReloader::restored);
  item->trigger();
  QTRY_COMPARE_WITH_TIMEOUT(restored.size(), 1, kLoadTimeout);
  QVERIFY(!pageText().contains(QStringLiteral("Running head")));
  QVERIFY(!pageText().contains(QStringLiteral("The quince note")));
  QCOMPARE(topParagraph(), place);
  const std::string bodyOnly = uitest::readFile(form_->document().htmlPath);
  QVERIFY(bodyOnly.find("Noted") != std::string::npos);  // the main text without its notes
  QVERIFY(bodyOnly.find("The quince note") == std::string::npos);

  item->trigger();
  QTRY_COMPARE_WITH_TIMEOUT(restored.size(), 2, kLoadTimeout);
  QVERIFY(pageText().contains(QStringLiteral("Running head")));
  QCOMPARE(topParagraph(), place);
}

void SuiViewTest::reloadOfAVanishedDocumentSaysFileNotFound() {
  const fs::path document = copyOf(jam_, "Vanishing.docx");
  QVERIFY(start(document));
  waitForDocumentPage();
  const fs::path package = form_->document().packageFolder;
  fs::remove(document);
  DialogAnswers answers;
  ModalWatcher watcher([&](QWidget* dialog) { return answers.handle(dialog); });
  press(Qt::Key_F5);
  QCOMPARE(answers.messages,
           QStringList{QStringLiteral("File not found.\nMaybe it was moved or renamed,\nplease check.")});
  // Nothing was loaded: the page and its package folder are still there.
  QVERIFY(fs::exists(package / "word" / "doc.html"));
  QVERIFY(pageText().contains(QStringLiteral("Orange marmalade")));
}

// Headings by their outline level, numbered as the page numbers them; a click goes to its heading,
// a scroll selects the heading the reader is in, F9 hides and shows the pane, and a document
// without headings has none.
void SuiViewTest::outlineListsTheHeadingsAndFollowsTheReader() {
  const std::string ns = "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"";
  auto heading = [](int level, const std::string& text) {
    return "<w:p><w:pPr><w:outlineLvl w:val=\"" + std::to_string(level) + "\"/></w:pPr><w:r><w:t>" + text +
           "</w:t></w:r></w:p>";
  };
  auto filler = [](int count) {
    std::string body;
    for (const std::string& text : numberedParagraphs(count, "quince jelly sets overnight."))
      body += "<w:p><w:r><w:t>" + text + "</w:t></w:r></w:p>";
    return body;
  };
  const fs::path document = docs_ / "Outline.docx";
  vellumine::test::writeZip(document, {{"word/document.xml",
                                        "<w:document " + ns + "><w:body>" + heading(0, "Chapter &lt;one&gt;") + filler(20) +
                                            heading(1, "Section one.one") + filler(20) + heading(0, "Chapter two") +
                                            filler(40) + "</w:body></w:document>"}});
  QVERIFY(start(document));
  waitForDocumentPage();
  OutlinePane* outline = form_->outline();
  QTRY_VERIFY_WITH_TIMEOUT(outline->isVisible(), kLoadTimeout);
  QCOMPARE(outline->topLevelItemCount(), 2);
  QCOMPARE(outline->topLevelItem(0)->text(0), QStringLiteral("Chapter <one>"));
  QCOMPARE(outline->topLevelItem(0)->child(0)->text(0), QStringLiteral("Section one.one"));
  QCOMPARE(outline->topLevelItem(1)->text(0), QStringLiteral("Chapter two"));

  QSignalSpy shown(outline, &OutlinePane::headingShown);
  QTreeWidgetItem* second = outline->topLevelItem(1);
  QTest::mouseClick(outline->viewport(), Qt::LeftButton, {}, outline->visualItemRect(second).center());
  QTRY_COMPARE_WITH_TIMEOUT(shown.size(), 1, kLoadTimeout);
  QCOMPARE(shown.at(0).at(0).toInt(), 2);
  QTRY_VERIFY(std::abs(uitest::evaluate(form_->view(), QStringLiteral(
                                                           "document.querySelectorAll('.vm-col h1')[1]"
                                                           ".getBoundingClientRect().top")).toDouble()) < 2);

  uitest::evaluate(form_->view(), QStringLiteral("document.querySelector('.vm-col h2').scrollIntoView();"
                                                 "window.scrollBy(0, 40)"));
  QTRY_COMPARE_WITH_TIMEOUT(outline->currentHeading(), 1, kLoadTimeout);

  press(Qt::Key_F9);
  QVERIFY(!outline->isVisible());
  press(Qt::Key_F9);
  QVERIFY(outline->isVisible());

  form_->loadDocument(jam_);
  waitForDocumentPage();
  QTRY_VERIFY_WITH_TIMEOUT(!outline->isVisible(), kLoadTimeout);
  QCOMPARE(outline->topLevelItemCount(), 0);
}

// Text of every colour, on light and dark shading, and a picture.  Dark: every text reads at 4.5:1
// or more against what is behind it; the picture has nothing over it; the PDF export is light.
void SuiViewTest::darkPageMakesTextReadableAndLeavesPicturesAndPrintingAlone() {
  const std::string ns = "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
                         "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
                         "xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\" "
                         "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
                         "xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"";
  auto run = [](const std::string& colour, const std::string& fill, const std::string& text) {
    const std::string shading = fill.empty() ? "" : "<w:shd w:val=\"clear\" w:fill=\"" + fill + "\"/>";
    return "<w:p><w:pPr>" + shading + "</w:pPr><w:r><w:rPr><w:color w:val=\"" + colour + "\"/></w:rPr><w:t>" + text +
           "</w:t></w:r></w:p>";
  };
  const std::string body =
      run("000000", "", "Black on paper.") + run("C00000", "", "Dark red on paper.") +
      run("FFFF00", "", "Yellow on paper.") + run("1F3864", "FFF2CC", "Navy on pale yellow.") +
      run("FFFFFF", "1F3864", "White on navy.") + run("808080", "", "Grey on paper.") +
      "<w:p><w:r><w:drawing><wp:inline><wp:extent cx=\"952500\" cy=\"952500\"/><a:graphic><a:graphicData><pic:pic>"
      "<pic:blipFill><a:blip r:embed=\"rI\"/></pic:blipFill></pic:pic></a:graphicData></a:graphic></wp:inline>"
      "</w:drawing></w:r></w:p>";
  QImage picture(8, 8, QImage::Format_RGB32);
  picture.fill(QColor(250, 250, 250));
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, "PNG");
  const fs::path document = docs_ / "Colours.docx";
  vellumine::test::writeZip(
      document, {{"word/document.xml", "<w:document " + ns + "><w:body>" + body + "</w:body></w:document>"},
                 {"word/_rels/document.xml.rels",
                  "<Relationships><Relationship Id=\"rI\" Type=\"http://schemas.openxmlformats.org/officeDocument/"
                  "2006/relationships/image\" Target=\"media/image1.png\"/></Relationships>"},
                 {"word/media/image1.png", png.toStdString()}});
  QVERIFY(start(document));
  waitForDocumentPage();
  // The lowest contrast of a text against the first fill behind it with some body; a NaN when a
  // picture is not shown as it was or something lies over it.
  const QString lowestContrast = QStringLiteral(R"JS((function(){
    function rgba(t){var m=t.match(/[\d.]+/g)||[0,0,0,0];return [+m[0],+m[1],+m[2],m.length>3?+m[3]:1];}
    function lin(c){c/=255;return c<=0.03928?c/12.92:Math.pow((c+0.055)/1.055,2.4);}
    function lum(c){return 0.2126*lin(c[0])+0.7152*lin(c[1])+0.0722*lin(c[2]);}
    function behind(e){for(;e;e=e.parentElement){var f=rgba(getComputedStyle(e).backgroundColor);if(f[3]>0.5)return f;}return [255,255,255];}
    var low=100,texts=0;
    document.querySelectorAll('#page *,.vm-col *').forEach(function(e){
      var own=Array.from(e.childNodes).some(function(n){return n.nodeType===3&&/\S/.test(n.data);});
      if(!own)return;texts++;var a=lum(rgba(getComputedStyle(e).color)),b=lum(behind(e));
      low=Math.min(low,(Math.max(a,b)+0.05)/(Math.min(a,b)+0.05));});
    var imgs=document.querySelectorAll('#page img,.vm-col img');if(imgs.length!==1)return NaN;
    for(var e=imgs[0];e;e=e.parentElement){var s=getComputedStyle(e);if(s.filter!=='none'||s.mixBlendMode!=='normal'||e.classList.contains('vm-dkb'))return NaN;}
    if(getComputedStyle(imgs[0]).opacity!=='1'||!imgs[0].complete||imgs[0].naturalWidth!==8)return NaN;
    return texts>=6?low:-texts;})())JS");
  const double light = uitest::evaluate(form_->view(), lowestContrast).toDouble();
  QVERIFY2(light < 4.5, qPrintable(QString::number(light)));  // the yellow text, as the author left it

  QSignalSpy applied(form_->darkPage(), &DarkPage::applied);
  press(Qt::Key_I, Qt::ControlModifier);
  QTRY_COMPARE_WITH_TIMEOUT(applied.size(), 1, kLoadTimeout);
  QVERIFY(action("mDarkPage")->isChecked());
  const double dark = uitest::evaluate(form_->view(), lowestContrast).toDouble();
  QVERIFY2(dark >= 4.5, qPrintable(QString::number(dark)));
  QVERIFY(uitest::evaluate(form_->view(), QStringLiteral("getComputedStyle(document.body).backgroundColor"))
              .toString() == QStringLiteral("rgb(18, 18, 18)"));

  if (uitest::popplerToolsFound()) {
    const fs::path target = fs::path(dir_.path().toStdString()) / "exported" / "Colours.pdf";
    fs::create_directories(target.parent_path());
    DialogAnswers answers;
    answers.fileToChoose = qs(target);
    ModalWatcher watcher([&](QWidget* dialog) { return answers.handle(dialog); });
    action("mExportPdf")->trigger();
    QTRY_COMPARE(answers.messages.size(), 1);
    QVERIFY(uitest::readPdf(qs(target)).text.contains(QStringLiteral("White on navy.")));
    const double lightness = uitest::firstPageLightness(qs(target));
    QVERIFY2(lightness > 200, qPrintable(QString::number(lightness)));
  }

  // A page loaded while it is on is dark too; off gives the author's colours back.
  form_->loadDocument(document);
  QTRY_COMPARE_WITH_TIMEOUT(applied.size(), 2, kLoadTimeout);
  QVERIFY(uitest::evaluate(form_->view(), lowestContrast).toDouble() >= 4.5);
  press(Qt::Key_I, Qt::ControlModifier);
  QTRY_COMPARE_WITH_TIMEOUT(applied.size(), 3, kLoadTimeout);
  QCOMPARE(uitest::evaluate(form_->view(), lowestContrast).toDouble(), light);
}

// The exact page is the earlier conversion's: its paragraphs stand right in the page div.
void SuiViewTest::exactPageItemSwitchesEnginesKeepingThePlace() {
  QVERIFY(start(twoPages_));
  waitForDocumentPage();
  QAction* item = action("mExactPage");
  QVERIFY(item->isCheckable() && !item->isChecked());
  const QString sections = QStringLiteral("document.querySelectorAll('.vm-section').length");
  QVERIFY(uitest::evaluate(form_->view(), sections).toInt() > 0);
  uitest::evaluate(form_->view(), QStringLiteral("window.scrollTo(0, 900)"));
  const QString place = topParagraph();
  QVERIFY(place.startsWith(QStringLiteral("Paragraph ")));

  QSignalSpy restored(form_->reloader(), &DocumentReloader::restored);
  item->trigger();
  QTRY_COMPARE_WITH_TIMEOUT(restored.size(), 1, kLoadTimeout);
  QCOMPARE(form_->document().engine, vellumine::PageEngine::exact);
  QVERIFY(form_->document().conversion != nullptr);
  QCOMPARE(uitest::evaluate(form_->view(), sections).toInt(), 0);
  QCOMPARE(topParagraph(), place);

  item->trigger();
  QTRY_COMPARE_WITH_TIMEOUT(restored.size(), 2, kLoadTimeout);
  QVERIFY(form_->document().conversion == nullptr);
  QVERIFY(uitest::evaluate(form_->view(), sections).toInt() > 0);
  QCOMPARE(topParagraph(), place);
}

// A main part cut off in its middle: what was read is shown, and the status bar says why.
void SuiViewTest::damagedDocumentShowsItsWarningsInTheStatusBar() {
  const std::string ns = "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"";
  const fs::path damaged = docs_ / "Damaged.docx";
  vellumine::test::writeZip(damaged, {{"word/document.xml", "<w:document " + ns +
                                                                "><w:body><w:p><w:r><w:t>Read before the fault</w:t>"
                                                                "</w:r></w:p><w:p><w:r><w:t>cut"}});
  QVERIFY(start(damaged));
  waitForDocumentPage();
  QVERIFY(pageText().contains(QStringLiteral("Read before the fault")));
  auto* button = form_->documentStatusBar()->findChild<QToolButton*>(QStringLiteral("warningsButton"));
  QVERIFY(button != nullptr);
  QVERIFY(button->isVisibleTo(form_.get()));
  QCOMPARE(button->text(), QStringLiteral("1 warning"));
  QCOMPARE(form_->documentStatusBar()->warnings().size(), 1);
  QVERIFY(form_->documentStatusBar()->warnings().front().startsWith(QStringLiteral("word/document.xml is damaged")));

  form_->loadDocument(twoPages_);
  waitForDocumentPage();
  QVERIFY(!button->isVisibleTo(form_.get()));  // a sound document has nothing to say
}

// Drawings the page leaves as boxes are counted apart from damage: the warnings button stays hidden.
void SuiViewTest::itemsNotShownAreCountedInTheStatusBar() {
  const std::string ns = "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"";
  const std::string object = "<w:r><w:object w:dxaOrig=\"1440\" w:dyaOrig=\"720\"/></w:r>";
  const fs::path objects = docs_ / "Objects.docx";
  vellumine::test::writeZip(objects, {{"word/document.xml", "<w:document " + ns + "><w:body><w:p>" + object + object +
                                                               "<w:r><w:t>Text beside</w:t></w:r></w:p></w:body>"
                                                               "</w:document>"}});
  QVERIFY(start(objects));
  waitForDocumentPage();
  QVERIFY(pageText().contains(QStringLiteral("Text beside")));
  auto* button = form_->documentStatusBar()->findChild<QToolButton*>(QStringLiteral("notShownButton"));
  QVERIFY(button != nullptr);
  QVERIFY(button->isVisibleTo(form_.get()));
  QCOMPARE(button->text(), QStringLiteral("2 items not shown"));
  QCOMPARE(form_->documentStatusBar()->notShown(), QStringList{QStringLiteral("2 objects not shown")});
  auto* warnings = form_->documentStatusBar()->findChild<QToolButton*>(QStringLiteral("warningsButton"));
  QVERIFY(!warnings->isVisibleTo(form_.get()));

  form_->loadDocument(twoPages_);
  waitForDocumentPage();
  QVERIFY(!button->isVisibleTo(form_.get()));  // nothing left out, nothing said
}

void SuiViewTest::droppedDocumentOpens() {
  QVERIFY(start());
  QSignalSpy shown(form_.get(), &TForm1::documentShown);
  // Onto the widget the browser renders into, which would take the drag for itself.
  drop({QUrl::fromLocalFile(qs(docs_ / "notes.txt")), QUrl::fromLocalFile(qs(jam_))}, pageWidget());
  QTRY_COMPARE_WITH_TIMEOUT(shown.size(), 1, kLoadTimeout);
  QCOMPARE(form_->windowTitle(), QStringLiteral("Vellumine - ") + qs(jam_));
  waitForDocumentPage();
  QVERIFY(pageText().contains(QStringLiteral("Orange marmalade")));
  // Opened as File > Open opens: it heads the recent list.
  QCOMPARE(form_->recentFiles().slot(0), jam_.string());
}

void SuiViewTest::droppedTextFileIsRefused() {
  QVERIFY(start());
  const fs::path notes = docs_ / "notes.txt";
  QFile file(qs(notes));
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("a shopping list, not a document\n");
  file.close();
  const vellumine::RecentFileList::Slots recentBefore = form_->recentFiles().slots();
  DialogAnswers answers;
  ModalWatcher watcher([&](QWidget* dialog) { return answers.handle(dialog); });
  drop({QUrl::fromLocalFile(qs(notes))}, form_.get());  // beside the page: the window takes it
  QTRY_COMPARE(answers.messages.size(), 1);
  QCOMPARE(answers.messages.front(),
           QStringLiteral("\"notes.txt\" is not a Word document.\nOnly .docx documents can be opened."));
  QVERIFY(form_->document().packageFolder.empty());
  QVERIFY(!action("mPrint")->isEnabled());
  QCOMPARE(form_->recentFiles().slots(), recentBefore);
}

void SuiViewTest::exportWritesThePageOnThePageSetupLayout() {
  if (!uitest::popplerToolsFound()) QSKIP("pdfinfo and pdftotext (poppler-utils) are not installed");
  QVERIFY(start(twoPages_));
  waitForDocumentPage();
  const fs::path target = fs::path(dir_.path().toStdString()) / "exported" / "Two pages.pdf";
  fs::create_directories(target.parent_path());

  DialogAnswers answers;
  answers.fileToChoose = qs(target);
  ModalWatcher watcher([&](QWidget* dialog) { return answers.handle(dialog); });
  action("mExportPdf")->trigger();
  QCOMPARE(watcher.seen(), (QStringList{QStringLiteral("ExportPdfDialog"), QStringLiteral("QMessageBox")}));
  QCOMPARE(answers.fileFilters, QStringList{QStringLiteral("PDF File (*.pdf)")});
  QCOMPARE(answers.messages,
           QStringList{QStringLiteral("File has been saved as ") + qs(target) + QStringLiteral(" successfully.")});
  uitest::PdfFacts portrait = uitest::readPdf(qs(target));
  QCOMPARE(portrait.pages, 2);
  QVERIFY(portrait.pageSize.height() > portrait.pageSize.width());
  QVERIFY(portrait.text.contains(QStringLiteral("Paragraph 1: quince jelly sets overnight.")));
  QVERIFY(portrait.text.contains(QStringLiteral("Paragraph 75: quince jelly sets overnight.")));

  // On pages the export keeps the document's page size; in the continuous view what "Page Setup"
  // chose is what the export uses.
  form_->view()->printer().setPageOrientation(QPageLayout::Landscape);
  action("mExportPdf")->trigger();
  QTRY_COMPARE(answers.messages.size(), 2);
  QVERIFY(uitest::readPdf(qs(target)).pageSize.height() > uitest::readPdf(qs(target)).pageSize.width());
  action("mContinuous")->trigger();
  const PageLayout* pages = form_->findChild<PageLayout*>();
  QTRY_VERIFY_WITH_TIMEOUT(pages->pageCount() == 0 && pages->isDone(), kLoadTimeout);
  action("mExportPdf")->trigger();
  QTRY_COMPARE(answers.messages.size(), 3);
  uitest::PdfFacts landscape = uitest::readPdf(qs(target));
  QVERIFY(landscape.pageSize.width() > landscape.pageSize.height());
  QVERIFY(landscape.text.contains(QStringLiteral("Paragraph 75: quince jelly sets overnight.")));
}

int main(int argc, char** argv) {
  QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  QApplication app(argc, argv);
  SuiViewTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "sui_view_test.moc"
