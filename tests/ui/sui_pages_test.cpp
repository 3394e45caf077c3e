// The page view: the document laid out on pages of its sections' sizes, with headers, footers,
// page numbers and footnotes on their pages, the status bar's page cell, Go to Page, the
// Continuous view, Word's own page breaks in the margin, and the PDF export of the pages as shown.
#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <string>
#include <vector>

#include "app/docx_writer.h"
#include "app/ui/HTMLView.h"
#include "app/ui/findbar.h"
#include "app/ui/page_layout.h"
#include "app/ui/page_place.h"
#include "app/ui/statusbar.h"
#include "app/ui/sui.h"
#include "app/ui/view_menu.h"
#include "app/ui/word_page_breaks.h"
#include "pdf_support.h"
#include "ui_support.h"
#include "window_fixture.h"

namespace fs = std::filesystem;
using uitest::DialogAnswers;
using uitest::kLoadTimeout;
using uitest::ModalWatcher;
using uitest::qs;

namespace {

// The fixture package's parts, as a .docx at target.
void zipFixture(const fs::path& folder, const fs::path& target) {
  std::vector<vellumine::test::PackagePart> parts;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    parts.emplace_back(fs::relative(entry.path(), folder).generic_string(), uitest::readFile(entry.path()));
  }
  vellumine::test::writeZip(target, parts);
}

std::string paragraph(const std::string& text, const std::string& properties = {}) {
  return "<w:p>" + (properties.empty() ? std::string() : "<w:pPr>" + properties + "</w:pPr>") +
         "<w:r><w:t xml:space=\"preserve\">" + text + "</w:t></w:r></w:p>";
}

std::string pageBreak() { return "<w:p><w:r><w:br w:type=\"page\"/></w:r></w:p>"; }

// Ends a section of the default page; how the next one starts is said by that one's own sectPr.
std::string sectionEnd() { return "<w:p><w:pPr><w:sectPr/></w:pPr></w:p>"; }

std::string lastSection(const std::string& start) {
  return "<w:sectPr><w:type w:val=\"" + start + "\"/></w:sectPr>";
}

std::string numbered(const std::string& prefix, int count) {
  std::string body;
  for (int k = 1; k <= count; ++k) body += paragraph(prefix + " " + std::to_string(k));
  return body;
}

std::string longParagraph(int words, const std::string& properties = {}) {
  std::string text;
  for (int k = 1; k <= words; ++k) text += "word" + std::to_string(k) + " ";
  return paragraph(text, properties);
}

std::string headedTable(int rows) {
  std::string table = "<w:tbl><w:tblGrid><w:gridCol w:w=\"4000\"/></w:tblGrid>";
  table += "<w:tr><w:trPr><w:tblHeader/></w:trPr><w:tc><w:p><w:r><w:t>Head</w:t></w:r></w:p></w:tc></w:tr>";
  for (int k = 1; k <= rows; ++k) {
    table += "<w:tr><w:tc><w:p><w:r><w:t>Row " + std::to_string(k) + "</w:t></w:r></w:p></w:tc></w:tr>";
  }
  return table + "</w:tbl>";
}

std::string cellOf(const std::string& blocks, const std::string& properties = {}) {
  return "<w:tc>" + (properties.empty() ? std::string() : "<w:tcPr>" + properties + "</w:tcPr>") + blocks + "</w:tc>";
}

// A table of one or more rows (given whole), under a header row "Head" when headed; grid: the
// columns' widths in twips.
std::string tableOf(const std::vector<int>& grid, const std::string& rows, bool headed) {
  std::string table = "<w:tbl><w:tblPr><w:tblBorders><w:top w:val=\"single\" w:sz=\"4\"/><w:bottom w:val=\"single\" "
                      "w:sz=\"4\"/><w:insideH w:val=\"single\" w:sz=\"4\"/><w:insideV w:val=\"single\" w:sz=\"4\"/>"
                      "</w:tblBorders></w:tblPr><w:tblGrid>";
  for (const int width : grid) table += "<w:gridCol w:w=\"" + std::to_string(width) + "\"/>";
  table += "</w:tblGrid>";
  if (headed) {
    table += "<w:tr><w:trPr><w:tblHeader/></w:trPr>" +
             cellOf(paragraph("Head"), "<w:gridSpan w:val=\"" + std::to_string(grid.size()) + "\"/>") + "</w:tr>";
  }
  return table + rows + "</w:tbl>";
}

// A row of one cell holding count numbered paragraphs; trPr: the row's properties.
std::string tallRow(const std::string& prefix, int count, const std::string& trPr = {}) {
  return "<w:tr>" + (trPr.empty() ? std::string() : "<w:trPr>" + trPr + "</w:trPr>") + cellOf(numbered(prefix, count)) +
         "</w:tr>";
}

// body may end with its last section's properties (lastSection); else the section has none.
std::string documentOf(const std::string& body) {
  const bool ended = body.ends_with("</w:sectPr>");
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:document "
         "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>" +
         body + (ended ? "" : "<w:sectPr/>") + "</w:body></w:document>";
}

// Every page's body text (its notes last), pages joined by "|".
const QString kPageTexts = QStringLiteral(
    "Array.from(document.querySelectorAll('.vm-pg')).map(function(p){"
    "return p.querySelector('.vm-pg-body').innerText.replace(/\\s+/g,' ').trim();}).join('|')");

// The pages whose body holds a paragraph or table row not wholly inside the body's box (cut off
// at the page's foot), as "page:text" items; empty when none is.
const QString kClipped = QStringLiteral(
    "Array.from(document.querySelectorAll('.vm-pg')).map(function(p){var b=p.querySelector('.vm-pg-body')"
    ".getBoundingClientRect();return Array.from(p.querySelectorAll('.vm-pg-body p, .vm-pg-body tr')).filter("
    "function(e){var r=e.getBoundingClientRect();return r.height>0&&(r.bottom>b.bottom+1||r.top<b.top-1);}).map("
    "function(e){return p.getAttribute('data-page')+':'+e.textContent.trim().substring(0,20);}).join(',');})"
    ".filter(function(s){return s.length;}).join(' ')");

// Every paragraph's text on the pages, sorted, joined by "|"; header rows repeated on a table's
// later pages are left out, so that each of the document's paragraphs counts once.
const QString kPlacedParagraphs = QStringLiteral(
    "Array.from(document.querySelectorAll('.vm-pg-body p')).filter(function(e){var h=e.closest('thead');"
    "return !(h&&h.parentNode.classList.contains('vm-cont'));}).map(function(e){return e.textContent.trim();})"
    ".filter(function(t){return t.length;}).sort().join('|')");

// The document's paragraphs' texts as kPlacedParagraphs gives them.
QString documentParagraphs(const std::string& body) {
  QStringList texts;
  const QRegularExpression text(QStringLiteral("<w:t[^>]*>([^<]*)</w:t>"));
  for (auto match = text.globalMatch(QString::fromStdString(body)); match.hasNext();) {
    const QString one = match.next().captured(1).trimmed();
    if (!one.isEmpty()) texts << one;
  }
  texts.sort();
  return texts.join(QLatin1Char('|'));
}

// The page (data-page) of the paragraph whose whole text is given, 0 when none is.
QString pageOfParagraph(const QString& text) {
  return QStringLiteral("(function(){var e=Array.from(document.querySelectorAll('.vm-pg-body p')).filter(function(e){"
                        "return e.textContent.trim()==='%1';})[0];return e?e.closest('.vm-pg').getAttribute('data-page')"
                        ":'0';})()")
      .arg(text);
}

QString pagePart(const char* part) {
  return QStringLiteral("Array.from(document.querySelectorAll('.vm-pg')).map(function(p){"
                        "return p.querySelector('%1').innerText.replace(/\\s+/g,' ').trim();}).join('|')")
      .arg(QLatin1String(part));
}

}  // namespace

class SuiPagesTest : public QObject, uitest::WindowFixture {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase();
  void sectionsGetPagesOfTheirSizeWithTheirHeaders();
  void footnoteStandsOnThePageOfItsReference();
  void columnsStandSideBySide();
  void goToPageShowsThePageInTheStatusBar();
  void pageKeysMoveAPageAtATime();
  void continuousViewShowsOnePage();
  void pdfExportHasOnePdfPagePerPage();
  void pageNumbersFollowTheSectionsFormatAndRestart();
  void pagesPastTheFirstGroupsKeepTheirOrderAndPlaces();
  void blocksFlowOntoPages_data();
  void blocksFlowOntoPages();
  void tallRowsGoOnAcrossPages_data();
  void tallRowsGoOnAcrossPages();
  void columnsBalanceAtAContinuousBreak_data();
  void columnsBalanceAtAContinuousBreak();
  void wordPageBreaksShowInTheMarginWithoutMovingText_data();
  void wordPageBreaksShowInTheMarginWithoutMovingText();
  void wordPageMarkInARepeatedHeaderRowStandsOnce();
  void findGoesToThePageOfTheMatch();
  void longDocumentInChunksShowsAllItsBlocksInBothViews();
  void cleanup();

 private:
  PageLayout* pages() const { return form_->findChild<PageLayout*>(); }
  QString run(const QString& script) { return uitest::evaluate(form_->view(), script).toString(); }
  void openAndLayOut(const fs::path& document);

  fs::path sections_;
};

void SuiPagesTest::initTestCase() {
  QVERIFY(makeSandbox());
  sections_ = docs_ / "Sections.docx";
  zipFixture(fs::path(VELLUMINE_FIXTURES_DIR) / "packages" / "pages-sections", sections_);
}

void SuiPagesTest::cleanup() { closeWindow(); }

void SuiPagesTest::openAndLayOut(const fs::path& document) {
  QVERIFY(start(document));
  waitForDocumentPage();
  QVERIFY(pages() != nullptr);
  QTRY_VERIFY_WITH_TIMEOUT(pages()->isDone() && pages()->pageCount() > 0, kLoadTimeout);
}

void SuiPagesTest::sectionsGetPagesOfTheirSizeWithTheirHeaders() {
  openAndLayOut(sections_);
  QVERIFY(action("mPageLayout")->isChecked());
  QCOMPARE(pages()->pageCount(), 3);
  // The first page has its own header; then the even and odd ones, the third inherited by the
  // landscape section, which names none.
  QCOMPARE(run(pagePart(".vm-pg-hdr")), QStringLiteral("First page header|Even header|Odd header"));
  QCOMPARE(run(pagePart(".vm-pg-ftr")), QStringLiteral("Page 1 of 3|Page 2 of 3|Page 3 of 3"));
  QCOMPARE(run(QStringLiteral("Array.from(document.querySelectorAll('.vm-pg')).map(function(p){"
                              "return p.offsetWidth+'x'+p.offsetHeight;}).join(' ')")),
           QStringLiteral("816x1056 816x1056 1056x816"));
  QCOMPARE(run(kPageTexts), QStringLiteral("Section one opens with a note.1 A paragraph on the first page. "
                                            "1 A note at the foot of the first page.|Section one, second page.|"
                                            "The landscape section. Left column. Right column."));
}

void SuiPagesTest::footnoteStandsOnThePageOfItsReference() {
  openAndLayOut(sections_);
  QCOMPARE(run(QStringLiteral("document.getElementById('fn-1').closest('.vm-pg').getAttribute('data-page')")),
           QStringLiteral("1"));
  QVERIFY(run(QStringLiteral("document.getElementById('fn-1').innerText"))
              .contains(QStringLiteral("A note at the foot of the first page.")));
  // Below the text of its page.
  QCOMPARE(run(QStringLiteral("String(document.getElementById('fn-1').getBoundingClientRect().top>"
                              "document.querySelector('.vm-pg .vm-col p').getBoundingClientRect().bottom)")),
           QStringLiteral("true"));
}

void SuiPagesTest::columnsStandSideBySide() {
  openAndLayOut(sections_);
  const QString where = QStringLiteral(
      "(function(){var ps=Array.from(document.querySelectorAll('.vm-pg p'));"
      "function at(t){return ps.filter(function(p){return p.innerText.trim()===t;})[0];}"
      "var l=at('Left column.'),r=at('Right column.');if(!l||!r)return 'missing';"
      "return l.closest('.vm-pg').getAttribute('data-page')+' '+r.closest('.vm-pg').getAttribute('data-page')+' '+"
      "String(r.getBoundingClientRect().left>l.getBoundingClientRect().right)+' '+"
      "String(Math.abs(r.getBoundingClientRect().top-l.getBoundingClientRect().top)<2);})()");
  QCOMPARE(run(where), QStringLiteral("3 3 true true"));
  // The section asks for a line between its columns.
  QCOMPARE(run(QStringLiteral("String(document.querySelectorAll('.vm-region.vm-lined').length)")), QStringLiteral("1"));
}

void SuiPagesTest::goToPageShowsThePageInTheStatusBar() {
  openAndLayOut(sections_);
  QTRY_COMPARE(form_->documentStatusBar()->pageText(), QStringLiteral("Page 1 of 3"));
  ModalWatcher watcher([](QWidget* dialog) {
    auto* input = qobject_cast<QInputDialog*>(dialog);
    if (input == nullptr) return false;
    input->setIntValue(2);
    input->accept();
    return true;
  });
  press(Qt::Key_G, Qt::ControlModifier);
  QTRY_COMPARE(watcher.seen().size(), 1);
  QTRY_COMPARE_WITH_TIMEOUT(form_->documentStatusBar()->pageText(), QStringLiteral("Page 2 of 3"), kLoadTimeout);
}

void SuiPagesTest::pageKeysMoveAPageAtATime() {
  openAndLayOut(sections_);
  QTRY_COMPARE(pages()->currentPage(), 1);
  press(Qt::Key_PageDown);
  QTRY_COMPARE(pages()->currentPage(), 2);
  press(Qt::Key_PageDown);
  QTRY_COMPARE(pages()->currentPage(), 3);
  press(Qt::Key_PageUp);
  QTRY_COMPARE(pages()->currentPage(), 2);
  QTRY_COMPARE(form_->documentStatusBar()->pageText(), QStringLiteral("Page 2 of 3"));
}

void SuiPagesTest::continuousViewShowsOnePage() {
  openAndLayOut(sections_);
  action("mContinuous")->trigger();
  QTRY_VERIFY_WITH_TIMEOUT(run(QStringLiteral("String(document.querySelectorAll('.vm-pg').length)")) ==
                               QStringLiteral("0"),
                           kLoadTimeout);
  QTRY_COMPARE(form_->documentStatusBar()->pageText(), QString());
  QCOMPARE(run(QStringLiteral("String(document.querySelectorAll('.vm-section').length)")), QStringLiteral("3"));
  action("mPageLayout")->trigger();
  QTRY_VERIFY_WITH_TIMEOUT(pages()->isDone() && pages()->pageCount() == 3, kLoadTimeout);
}

void SuiPagesTest::pdfExportHasOnePdfPagePerPage() {
  if (!uitest::popplerToolsFound()) QSKIP("pdfinfo and pdftotext (poppler-utils) are not installed");
  openAndLayOut(sections_);
  const fs::path target = fs::path(dir_.path().toStdString()) / "exported" / "Sections.pdf";
  fs::create_directories(target.parent_path());
  DialogAnswers answers;
  answers.fileToChoose = qs(target);
  ModalWatcher watcher([&](QWidget* dialog) { return answers.handle(dialog); });
  action("mExportPdf")->trigger();
  QTRY_COMPARE(answers.messages.size(), 1);
  const uitest::PdfFacts pdf = uitest::readPdf(qs(target));
  QCOMPARE(pdf.pages, 3);
  QCOMPARE(pdf.pageSizes.size(), 3);
  // Letter portrait, then landscape: 612 x 792 points.
  QCOMPARE(qRound(pdf.pageSizes[0].width()), 612);
  QCOMPARE(qRound(pdf.pageSizes[0].height()), 792);
  QCOMPARE(qRound(pdf.pageSizes[1].width()), 612);
  QCOMPARE(qRound(pdf.pageSizes[2].width()), 792);
  QCOMPARE(qRound(pdf.pageSizes[2].height()), 612);
  QVERIFY(pdf.text.contains(QStringLiteral("Even header")));
  QVERIFY(pdf.text.contains(QStringLiteral("Page 3 of 3")));
}

std::string fieldParagraph(const std::string& field) {
  return "<w:p><w:fldSimple w:instr=\" " + field + " \"><w:r><w:t>0</w:t></w:r></w:fldSimple></w:p>";
}

// The page numbers are ours, in the section's format from its restart; NUMPAGES and SECTIONPAGES
// count the pages of the document and of the section.
void SuiPagesTest::pageNumbersFollowTheSectionsFormatAndRestart() {
  const std::string body = fieldParagraph("PAGE") + pageBreak() + fieldParagraph("PAGE") + sectionEnd() +
                           fieldParagraph("PAGE") + fieldParagraph("NUMPAGES") + fieldParagraph("SECTIONPAGES") +
                           "<w:sectPr><w:pgNumType w:fmt=\"lowerRoman\" w:start=\"4\"/></w:sectPr>";
  const fs::path document = docs_ / "Numbers.docx";
  vellumine::test::writeZip(document, {{"word/document.xml", documentOf(body)}});
  openAndLayOut(document);
  QCOMPARE(pages()->pageCount(), 3);
  QCOMPARE(run(kPageTexts), QStringLiteral("1|2|iv 3 1"));
}

// One row per rule of the layout: the document's body, the page count, and what starts each page
// (its first block's text, "" for a page left blank).
void SuiPagesTest::blocksFlowOntoPages_data() {
  QTest::addColumn<QString>("body");
  QTest::addColumn<int>("count");
  QTest::addColumn<QString>("starts");
  const auto row = [](const char* name, const std::string& body, int count, const char* starts) {
    QTest::newRow(name) << QString::fromStdString(body) << count << QString::fromUtf8(starts);
  };
  row("explicit page break", paragraph("One") + pageBreak() + paragraph("Two"), 2, "One|");
  row("break inside a paragraph",
      "<w:p><w:r><w:t>Before</w:t></w:r><w:r><w:br w:type=\"page\"/></w:r><w:r><w:t>After</w:t></w:r></w:p>", 2,
      "Before|After");
  row("page break before", paragraph("One") + paragraph("Two", "<w:pageBreakBefore/>"), 2, "One|Two");
  const std::string twoSections = paragraph("One") + sectionEnd() + paragraph("Two");
  row("next page section", twoSections + lastSection("nextPage"), 2, "One|Two");
  row("continuous section", twoSections + lastSection("continuous"), 1, "One");
  row("odd page section leaves a blank page", twoSections + lastSection("oddPage"), 3, "One||Two");
  row("even page section on an even page", twoSections + lastSection("evenPage"), 2, "One|Two");
  row("lines flow on", numbered("Line", 120), 3, "Line 1|Line ");
  row("a long paragraph splits by lines", longParagraph(1000), 2, "word1|word");
  row("table rows flow on under their header", headedTable(90), 2, "Head|Head");
  // Forty lines leave too little room for thirty kept together: they go on, and the heading kept
  // with them goes too.
  row("kept lines go on whole with the heading kept with them",
      numbered("Line", 40) + paragraph("Heading", "<w:keepNext/>") + longParagraph(400, "<w:keepLines/>"), 2,
      "Line 1|Heading");
  row("a paragraph not kept together fills the page first",
      numbered("Line", 40) + paragraph("Heading") + longParagraph(400), 2, "Line 1|word");
}

// Pages go into groups of 32, and a full group is skipped while out of view: seventy pages fill
// three groups, and every page keeps its text, its place on screen and its sheet in the PDF.
void SuiPagesTest::pagesPastTheFirstGroupsKeepTheirOrderAndPlaces() {
  constexpr int kPages = 70;
  std::string body = paragraph("Sheet 1");
  QStringList expected{QStringLiteral("Sheet 1")};
  for (int k = 2; k <= kPages; ++k) {
    body += paragraph("Sheet " + std::to_string(k), "<w:pageBreakBefore/>");
    expected << QStringLiteral("Sheet %1").arg(k);
  }
  const fs::path document = docs_ / "Seventy.docx";
  vellumine::test::writeZip(document, {{"word/document.xml", documentOf(body)}});
  openAndLayOut(document);
  QCOMPARE(pages()->pageCount(), kPages);
  QCOMPARE(run(QStringLiteral("String(document.querySelectorAll('#vm-pages > .vm-pg-grp').length)")),
           QStringLiteral("3"));
  // Text content: the drawn text (innerText) of a skipped group reads empty.
  QCOMPARE(run(QStringLiteral("Array.from(document.querySelectorAll('.vm-pg')).map(function(p){return p.querySelector("
                              "'.vm-pg-body').textContent.replace(/\\s+/g,' ').trim();}).join('|')")),
           expected.join(QLatin1Char('|')));
  ModalWatcher watcher([](QWidget* dialog) {
    auto* input = qobject_cast<QInputDialog*>(dialog);
    if (input == nullptr) return false;
    input->setIntValue(66);
    input->accept();
    return true;
  });
  press(Qt::Key_G, Qt::ControlModifier);
  QTRY_COMPARE(watcher.seen().size(), 1);
  QTRY_COMPARE_WITH_TIMEOUT(form_->documentStatusBar()->pageText(), QStringLiteral("Page 66 of 70"), kLoadTimeout);
  // The page in view is the one asked for, found where the skipped groups' sizes put it.
  QCOMPARE(run(QStringLiteral("(function(){var p=document.querySelector('.vm-pg[data-page=\"66\"]');"
                              "var r=p.getBoundingClientRect();return String(r.top<innerHeight/2&&r.bottom>0);})()")),
           QStringLiteral("true"));
  if (!uitest::popplerToolsFound()) return;
  const fs::path target = fs::path(dir_.path().toStdString()) / "exported" / "Seventy.pdf";
  fs::create_directories(target.parent_path());
  DialogAnswers answers;
  answers.fileToChoose = qs(target);
  ModalWatcher exportWatcher([&](QWidget* dialog) { return answers.handle(dialog); });
  action("mExportPdf")->trigger();
  QTRY_COMPARE_WITH_TIMEOUT(answers.messages.size(), 1, kLoadTimeout);
  const uitest::PdfFacts pdf = uitest::readPdf(qs(target));
  QCOMPARE(pdf.pages, kPages);
  // Two-digit sheets only: "Sheet 4" would be found in "Sheet 40".  Those of skipped groups print too.
  for (int k = 10; k <= kPages; ++k) {
    QVERIFY2(pdf.text.contains(QStringLiteral("Sheet %1").arg(k)), qPrintable(QString::number(k)));
  }
}

void SuiPagesTest::blocksFlowOntoPages() {
  QFETCH(QString, body);
  QFETCH(int, count);
  QFETCH(QString, starts);
  const fs::path document = docs_ / "Rule.docx";
  vellumine::test::writeZip(document, {{"word/document.xml", documentOf(body.toStdString())}});
  openAndLayOut(document);
  QCOMPARE(pages()->pageCount(), count);
  // Nothing is lost or repeated (but the header rows): the pages' text in order is the document's.
  const QString all = run(QStringLiteral("Array.from(document.querySelectorAll('.vm-pg-body .vm-col>*')).map("
                                         "function(e){var c=e.cloneNode(true);if(c.classList.contains('vm-cont'))"
                                         "c.querySelectorAll('thead').forEach(function(h){h.remove();});"
                                         "return c.textContent;}).join('').replace(/\\s+/g,'')"));
  QString expected = body;
  expected.remove(QRegularExpression(QStringLiteral("<[^>]*>"))).remove(QRegularExpression(QStringLiteral("\\s+")));
  QCOMPARE(all, expected);
  QCOMPARE(run(kClipped), QString());
  QCOMPARE(run(QStringLiteral("String(document.querySelectorAll('#page .vm-section > *').length)")),
           QStringLiteral("0"));
  const QString firsts = run(QStringLiteral(
      "Array.from(document.querySelectorAll('.vm-pg')).map(function(p){var b=p.querySelector('.vm-col>*');"
      "return b?b.innerText.trim().split(/\\s+/)[0]+(b.innerText.trim().split(/\\s+/).length>1&&"
      "/^(Line|Row)$/.test(b.innerText.trim().split(/\\s+/)[0])?' '+b.innerText.trim().split(/\\s+/)[1]:''):'';"
      "}).join('|')"));
  QVERIFY2(firsts.startsWith(starts), qPrintable(firsts));
}

// One row per rule for table rows that reach past the page's foot: the body, the page count, the
// pages of some paragraphs ("text=page;..."), and whether every page's first row is the header.
void SuiPagesTest::tallRowsGoOnAcrossPages_data() {
  QTest::addColumn<QString>("body");
  QTest::addColumn<int>("count");
  QTest::addColumn<QString>("marks");
  QTest::addColumn<bool>("headed");
  const auto row = [](const char* name, const std::string& body, int count, const char* marks, bool headed) {
    QTest::newRow(name) << QString::fromStdString(body) << count << QString::fromUtf8(marks) << headed;
  };
  row("a row taller than a page goes on under the header", tableOf({6000}, tallRow("Alpha", 150), true), 3,
      "Alpha 1=1;Alpha 150=3", true);
  row("a row marked cantSplit taller than a page splits all the same",
      tableOf({6000}, tallRow("Alpha", 150, "<w:cantSplit/>"), true), 3, "Alpha 1=1;Alpha 150=3", true);
  row("a row that may split starts on the page where it is reached",
      numbered("Line", 30) + tableOf({6000}, tallRow("Alpha", 60), false), 2, "Alpha 1=1;Alpha 60=2", false);
  row("a row marked cantSplit goes to the next page whole",
      numbered("Line", 30) + tableOf({6000}, tallRow("Alpha", 30, "<w:cantSplit/>"), false), 2,
      "Line 30=1;Alpha 1=2;Alpha 30=2", false);
  row("cells go on side by side",
      tableOf({3000, 3000}, "<w:tr>" + cellOf(numbered("Alpha", 120)) + cellOf(numbered("Beta", 70)) + "</w:tr>", true),
      3, "Alpha 1=1;Beta 1=1;Beta 70=2;Alpha 120=3", true);
  row("a merged cell above keeps the continued cells in their columns",
      tableOf({2000, 3000, 3000},
              "<w:tr>" + cellOf(paragraph("Merged"), "<w:vMerge w:val=\"restart\"/>") + cellOf(paragraph("Short")) +
                  cellOf(paragraph("Other")) + "</w:tr><w:tr>" + cellOf("<w:p/>", "<w:vMerge/>") +
                  cellOf(numbered("Alpha", 120)) + cellOf(numbered("Beta", 70)) + "</w:tr>",
              false),
      3, "Merged=1;Alpha 1=1;Alpha 120=3;Beta 70=2", false);
  row("a row of exact height taller than a page keeps to the page",
      tableOf({6000},
              tallRow("Alpha", 3, "<w:trHeight w:val=\"20000\" w:hRule=\"exact\"/>") + tallRow("Omega", 1),
              true),
      1, "Alpha 3=1;Omega 1=1", true);
}

// Every paragraph of the rows lands on a page once, none cut off at a page's foot, each cell's
// paragraphs in its own column on every page.
void SuiPagesTest::tallRowsGoOnAcrossPages() {
  QFETCH(QString, body);
  QFETCH(int, count);
  QFETCH(QString, marks);
  QFETCH(bool, headed);
  const fs::path document = docs_ / "Rows.docx";
  vellumine::test::writeZip(document, {{"word/document.xml", documentOf(body.toStdString())}});
  openAndLayOut(document);
  QCOMPARE(pages()->pageCount(), count);
  QCOMPARE(run(kPlacedParagraphs), documentParagraphs(body.toStdString()));
  QCOMPARE(run(kClipped), QString());
  for (const QString& mark : marks.split(QLatin1Char(';'))) {
    const QStringList parts = mark.split(QLatin1Char('='));
    QCOMPARE(parts.size(), 2);
    QVERIFY2(run(pageOfParagraph(parts[0])) == parts[1], qPrintable(mark));
  }
  // One left edge for each cell's paragraphs, whatever page they are on.
  QCOMPARE(run(QStringLiteral("['Alpha','Beta'].map(function(w){var s={};document.querySelectorAll('.vm-pg-body td p')"
                              ".forEach(function(e){if(e.textContent.trim().split(' ')[0]===w)"
                              "s[Math.round(e.getBoundingClientRect().left)]=1;});return Object.keys(s).length<2;})"
                              ".join(' ')")),
           QStringLiteral("true true"));
  if (headed) {
    QCOMPARE(run(QStringLiteral("String(Array.from(document.querySelectorAll('.vm-pg')).every(function(p){"
                                "var r=p.querySelector('.vm-pg-body tr');return r&&r.textContent.trim()==='Head';}))")),
             QStringLiteral("true"));
  }
}

// Ends a section of two columns; how the next one starts is said by that one's own sectPr.
std::string twoColumnsEnd() { return "<w:p><w:pPr><w:sectPr><w:cols w:num=\"2\" w:space=\"720\"/></w:sectPr></w:pPr></w:p>"; }

// One row per case of a two-column section followed by a paragraph "After": the body, and how its
// last page's columns come out ("balanced": within a line of each other, with "After" below them
// on that page; "first only": all in the first column).
void SuiPagesTest::columnsBalanceAtAContinuousBreak_data() {
  QTest::addColumn<QString>("body");
  QTest::addColumn<QString>("columns");
  const auto row = [](const char* name, const std::string& body, const char* columns) {
    QTest::newRow(name) << QString::fromStdString(body) << QString::fromUtf8(columns);
  };
  const std::string after = paragraph("After") + lastSection("continuous");
  row("short paragraphs share the columns", numbered("Line", 20) + twoColumnsEnd() + after, "balanced");
  row("a long paragraph splits between the columns", longParagraph(300) + twoColumnsEnd() + after, "balanced");
  row("columns past a page balance on its last page", numbered("Line", 130) + twoColumnsEnd() + after, "balanced");
  row("a next page section leaves the columns as filled",
      numbered("Line", 20) + twoColumnsEnd() + paragraph("After") + lastSection("nextPage"), "first only");
}

void SuiPagesTest::columnsBalanceAtAContinuousBreak() {
  QFETCH(QString, body);
  QFETCH(QString, columns);
  const fs::path document = docs_ / "Columns.docx";
  vellumine::test::writeZip(document, {{"word/document.xml", documentOf(body.toStdString())}});
  openAndLayOut(document);
  // Nothing lost or repeated, in order, and nothing cut off.
  QString expected = body;
  expected.remove(QRegularExpression(QStringLiteral("<[^>]*>"))).remove(QRegularExpression(QStringLiteral("\\s+")));
  QCOMPARE(run(QStringLiteral("Array.from(document.querySelectorAll('.vm-pg-body .vm-col>*')).map(function(e){"
                              "return e.textContent;}).join('').replace(/\\s+/g,'')")),
           expected);
  QCOMPARE(run(kClipped), QString());
  const QString shape = run(QStringLiteral(
      "(function(){var r=Array.from(document.querySelectorAll('.vm-region')).filter(function(r){"
      "return r.children.length===2;}).pop();var h=Array.from(r.children).map(function(c){"
      "if(!c.firstElementChild)return 0;return c.lastElementChild.getBoundingClientRect().bottom-"
      "c.firstElementChild.getBoundingClientRect().top;});"
      "var a=Array.from(document.querySelectorAll('.vm-pg-body p')).filter(function(p){"
      "return p.textContent.trim()==='After';})[0],line=a.getBoundingClientRect().height;"
      "if(!h[1])return 'first only';if(Math.abs(h[0]-h[1])>1.5*line)return 'uneven '+h.join(' ');"
      "if(a.closest('.vm-pg')!==r.closest('.vm-pg'))return 'after on another page';"
      "return a.getBoundingClientRect().top>=r.getBoundingClientRect().bottom-1?'balanced':'after overlaps';})()"));
  QCOMPARE(shape, columns);
}

// Where each mark stands against the text: "left|in margin|beside its line" per mark, with the
// text's left edge the text box's (page view) or the first paragraph's (continuous page).
const QString kMarkPlaces = QStringLiteral(
    "Array.from(document.querySelectorAll('.vm-wpb')).filter(function(m){return m.getClientRects().length;})"
    ".map(function(m){var r=m.getBoundingClientRect(),box=m.closest('.vm-pg-body')||m.closest('.vm-section'),"
    "text=m.closest('.vm-pg-body')?box.getBoundingClientRect().left:box.querySelector('p').getBoundingClientRect().left,"
    "line=m.closest('p').getBoundingClientRect(),paper=(m.closest('.vm-pg')||box).getBoundingClientRect().left;"
    "return m.getAttribute('data-word-page')+':'+(r.width>0&&r.left>=paper&&r.right<=text)+':'+"
    "(Math.abs(r.top-line.top)<line.height);}).join(' ')");
// Every paragraph's place, to tell that showing the marks moves no text.
const QString kTextPlaces = QStringLiteral(
    "Array.from(document.querySelectorAll('.vm-pg p,#page p')).map(function(p){var r=p.getBoundingClientRect();"
    "return Math.round(r.left)+','+Math.round(r.top)+','+Math.round(r.height);}).join(' ')");

// Word's marks: hidden until View > Word's Page Breaks shows them as labels in the left margin at
// their lines, on pages and on the continuous page, without moving a line; off hides them again.
// A long document's continuous page has its marks in chunks, whose box contains positioned ones.
void SuiPagesTest::wordPageBreaksShowInTheMarginWithoutMovingText_data() {
  QTest::addColumn<int>("lines");
  QTest::addColumn<QString>("chunked");
  QTest::newRow("short") << 30 << QStringLiteral("0");
  QTest::newRow("long, in chunks") << 200 << QStringLiteral("2");
}

void SuiPagesTest::wordPageBreaksShowInTheMarginWithoutMovingText() {
  QFETCH(int, lines);
  QFETCH(QString, chunked);
  const std::string marked = "<w:p><w:r><w:t xml:space=\"preserve\">Words before </w:t><w:lastRenderedPageBreak/>"
                             "<w:t>words after.</w:t></w:r></w:p>";
  const std::string body = numbered("Line", lines) + marked + numbered("More", lines) +
                           "<w:p><w:r><w:lastRenderedPageBreak/><w:t>Last page.</w:t></w:r></w:p>" +
                           numbered("End", 2);
  const fs::path document = docs_ / "Word pages.docx";
  vellumine::test::writeZip(document, {{"word/document.xml", documentOf(body)}});
  openAndLayOut(document);
  QAction* item = action("mWordPageBreaks");
  QVERIFY(item->isCheckable() && !item->isChecked());
  const QString shown = QStringLiteral(
      "Array.from(document.querySelectorAll('.vm-wpb')).map(function(m){return getComputedStyle(m).display;}).join(' ')");
  QCOMPARE(run(QStringLiteral("String(document.querySelectorAll('.vm-pg-body .vm-wpb').length)")), QStringLiteral("2"));
  QCOMPARE(run(shown), QStringLiteral("none none"));
  const QString before = run(kTextPlaces);
  const int pageCount = pages()->pageCount();

  QSignalSpy applied(form_->wordPageBreaks(), &WordPageBreaks::applied);
  item->trigger();
  QTRY_COMPARE_WITH_TIMEOUT(applied.size(), 1, kLoadTimeout);
  QCOMPARE(applied.at(0).at(0).toBool(), true);
  QCOMPARE(applied.at(0).at(1).toInt(), 2);
  QCOMPARE(run(shown), QStringLiteral("block block"));
  QCOMPARE(run(kMarkPlaces), QStringLiteral("2:true:true 3:true:true"));
  QCOMPARE(run(kTextPlaces), before);
  QCOMPARE(pages()->pageCount(), pageCount);

  // The page made again for the continuous view shows them too, in the paper's margin.
  action("mContinuous")->trigger();
  QTRY_COMPARE_WITH_TIMEOUT(applied.size(), 2, kLoadTimeout);
  QTRY_COMPARE_WITH_TIMEOUT(run(QStringLiteral("String(document.querySelectorAll('.vm-pg').length)")),
                            QStringLiteral("0"), kLoadTimeout);
  QCOMPARE(run(shown), QStringLiteral("block block"));
  QCOMPARE(run(QStringLiteral("String(document.querySelectorAll('.vm-chunk .vm-wpb').length)")), chunked);
  QCOMPARE(run(kMarkPlaces), QStringLiteral("2:true:true 3:true:true"));
  const QString continuous = run(kTextPlaces);
  item->trigger();
  QTRY_COMPARE_WITH_TIMEOUT(applied.size(), 3, kLoadTimeout);
  QCOMPARE(applied.at(2).at(0).toBool(), false);
  QCOMPARE(run(shown), QStringLiteral("none none"));
  QCOMPARE(run(kTextPlaces), continuous);
  action("mPageLayout")->trigger();
  QTRY_VERIFY_WITH_TIMEOUT(pages()->isDone() && pages()->pageCount() == pageCount, kLoadTimeout);
}

void SuiPagesTest::wordPageMarkInARepeatedHeaderRowStandsOnce() {
  std::string body = headedTable(90);
  const std::string head = "<w:t>Head</w:t>";
  body.replace(body.find(head), head.size(), "<w:lastRenderedPageBreak/>" + head);
  const fs::path document = docs_ / "Word page in a header row.docx";
  vellumine::test::writeZip(document, {{"word/document.xml", documentOf(body)}});
  openAndLayOut(document);
  QVERIFY(pages()->pageCount() >= 2);
  QCOMPARE(run(pagePart(".vm-pg-body thead")).count(QStringLiteral("Head")), pages()->pageCount());
  QCOMPARE(run(QStringLiteral("String(document.querySelectorAll('.vm-wpb').length)")), QStringLiteral("1"));
}

// A word far down the document: the find bar's first match scrolls its page into view, and the
// status bar names that page.
void SuiPagesTest::findGoesToThePageOfTheMatch() {
  const fs::path document = docs_ / "Needle.docx";
  const std::string body = numbered("Line", 200) + paragraph("The needle is here.") + numbered("More", 40);
  vellumine::test::writeZip(document, {{"word/document.xml", documentOf(body)}});
  openAndLayOut(document);
  const int count = pages()->pageCount();
  const int needlePage = run(QStringLiteral("Array.from(document.querySelectorAll('.vm-pg')).findIndex(function(p){"
                                            "return p.textContent.indexOf('needle')>=0;})+1")).toInt();
  QVERIFY2(needlePage > 2, qPrintable(QString::number(needlePage)));
  QCOMPARE(pages()->currentPage(), 1);
  press(Qt::Key_F, Qt::ControlModifier);
  auto* field = form_->findBar()->findChild<QLineEdit*>(QStringLiteral("findField"));
  QTRY_VERIFY(field->hasFocus());
  QTest::keyClicks(field, QStringLiteral("needle"));
  QTRY_COMPARE_WITH_TIMEOUT(form_->findBar()->matchText(), QStringLiteral("1 of 1"), kLoadTimeout);
  QTRY_COMPARE_WITH_TIMEOUT(pages()->currentPage(), needlePage, kLoadTimeout);
  QTRY_COMPARE(form_->documentStatusBar()->pageText(), QStringLiteral("Page %1 of %2").arg(needlePage).arg(count));
}

// A long document's page comes with its blocks in chunks laid out near the view.  The page view
// places every block of them, as it would without chunks; in the continuous view a reading place
// counts the blocks inside the chunks, so that it names the same block in both views, and find
// shows a match inside one.
void SuiPagesTest::longDocumentInChunksShowsAllItsBlocksInBothViews() {
  constexpr int kSheets = 40;
  std::string body;
  for (int k = 0; k < kSheets * 10; ++k) {
    body += paragraph("Block " + std::to_string(k), k % 10 == 0 && k > 0 ? "<w:pageBreakBefore/>" : "");
  }
  const fs::path document = docs_ / "Chunked.docx";
  vellumine::test::writeZip(document, {{"word/document.xml", documentOf(body)}});
  openAndLayOut(document);
  QCOMPARE(pages()->pageCount(), kSheets);
  QCOMPARE(run(kPlacedParagraphs), documentParagraphs(body));
  QCOMPARE(run(QStringLiteral("String(document.querySelectorAll('.vm-chunk').length)")), QStringLiteral("0"));
  QCOMPARE(run(pageOfParagraph(QStringLiteral("Block 355"))), QStringLiteral("36"));

  action("mContinuous")->trigger();
  QTRY_VERIFY_WITH_TIMEOUT(run(QStringLiteral("String(document.querySelectorAll('.vm-pg').length)")) ==
                               QStringLiteral("0"),
                           kLoadTimeout);
  QVERIFY(run(QStringLiteral("String(document.querySelectorAll('.vm-section > .vm-chunk').length)")).toInt() > 0);
  // Find reaches into a chunk not laid out yet and shows its match.
  press(Qt::Key_F, Qt::ControlModifier);
  auto* field = form_->findBar()->findChild<QLineEdit*>(QStringLiteral("findField"));
  QTRY_VERIFY(field->hasFocus());
  QTest::keyClicks(field, QStringLiteral("Block 377"));
  QTRY_COMPARE_WITH_TIMEOUT(form_->findBar()->matchText(), QStringLiteral("1 of 1"), kLoadTimeout);
  QTRY_COMPARE_WITH_TIMEOUT(
      run(QStringLiteral("(function(){var e=Array.from(document.querySelectorAll('p')).filter(function(p){"
                         "return p.textContent.trim()==='Block 377';})[0].getBoundingClientRect();"
                         "return String(e.top>=0&&e.bottom<=innerHeight);})()")),
      QStringLiteral("true"), kLoadTimeout);
  run(QStringLiteral("(function(){var e=Array.from(document.querySelectorAll('p')).filter(function(p){"
                     "return p.textContent.trim()==='Block 355';})[0];window.scrollTo(0,window.scrollY+"
                     "e.getBoundingClientRect().top);return '';})()"));
  const QVariantList place = uitest::evaluate(form_->view(), readTextPlaceScript()).toList();
  QCOMPARE(place.size(), 4);
  QCOMPARE(place[3].toInt(), 355);
}

int main(int argc, char** argv) {
  QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  QApplication app(argc, argv);
  SuiPagesTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "sui_pages_test.moc"
