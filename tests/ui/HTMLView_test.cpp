// The browser view on its own: the navigation rules, what a clicked link hands to the desktop,
// page scripts off, nothing remote fetched, the body restyled through the DOM, LoadFromString,
// and printing with no printer installed.
#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QHostAddress>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include "app/ui/HTMLView.h"
#include "ui_support.h"

using uitest::kLoadTimeout;

namespace {

using Decision = NavigationDecision;
using Page = QWebEnginePage;

// Stands in for the desktop's mail program: what the view hands over for mailto: links.
class MailProgram : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> given;

 public Q_SLOTS:
  void open(const QUrl& url) { given << url; }
};

}  // namespace

class HTMLViewTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase();
  void navigationRules_data();
  void navigationRules();
  void fileLinkAsksFirst();
  void mailLinksReachTheDesktopWithAllowedFieldsOnly_data();
  void mailLinksReachTheDesktopWithAllowedFieldsOnly();
  void pageScriptsDoNotRun();
  void remoteResourcesAreNotFetched();
  void bodyPaddingIsRestyled();
  void loadFromStringNeedsAShownPage();
  void printsToPdfWithoutAPrinter();
  void aPageShownWhileAnotherLoadsIsTheOneShown();

 private:
  // Writes html to a file in the test folder, shows it and waits until it has loaded.
  bool show(THTMLView& view, const QString& name, const QByteArray& html);

  QTemporaryDir dir_;
};

void HTMLViewTest::initTestCase() { QVERIFY(dir_.isValid()); }

bool HTMLViewTest::show(THTMLView& view, const QString& name, const QByteArray& html) {
  QFile file(dir_.filePath(name));
  if (!file.open(QIODevice::WriteOnly) || file.write(html) != html.size()) return false;
  file.close();
  QSignalSpy finished(&view, &QWebEngineView::loadFinished);
  view.Navigate(QUrl::fromLocalFile(file.fileName()));
  return finished.wait(kLoadTimeout) && finished.front().front().toBool();
}

void HTMLViewTest::navigationRules_data() {
  QTest::addColumn<QUrl>("target");
  QTest::addColumn<int>("type");
  QTest::addColumn<QUrl>("shown");
  QTest::addColumn<int>("expected");
  const QUrl page(QStringLiteral("file:///tmp/p/word/doc.html"));
  const auto row = [&](const char* name, const char* target, Page::NavigationType type, Decision expected) {
    QTest::newRow(name) << QUrl(QString::fromLatin1(target)) << int(type) << page << int(expected);
  };
  row("bookmark scrolls in the page", "file:///tmp/p/word/doc.html#_Toc101", Page::NavigationTypeLinkClicked,
      Decision::Accept);
  row("web link goes to the browser", "https://example.org/a", Page::NavigationTypeLinkClicked,
      Decision::OpenExternally);
  row("mail link goes to the mail program", "mailto:ann@example.org", Page::NavigationTypeLinkClicked,
      Decision::OpenExternally);
  row("other local file goes to its program", "file:///tmp/other.docx", Page::NavigationTypeLinkClicked,
      Decision::OpenExternally);
  row("script link is refused", "javascript:alert(1)", Page::NavigationTypeLinkClicked, Decision::Refuse);
  row("the viewer's own navigation loads", "file:///tmp/q/word/doc.html", Page::NavigationTypeTyped,
      Decision::Accept);
  row("a redirect to the web is refused", "http://example.org/", Page::NavigationTypeRedirect, Decision::Refuse);
  row("a form post to the web is refused", "https://example.org/f", Page::NavigationTypeFormSubmitted,
      Decision::Refuse);
  row("page from a string loads", "data:text/html,x", Page::NavigationTypeOther, Decision::Accept);
}

void HTMLViewTest::navigationRules() {
  QFETCH(QUrl, target);
  QFETCH(int, type);
  QFETCH(QUrl, shown);
  QFETCH(int, expected);
  QCOMPARE(int(decideNavigation(target, Page::NavigationType(type), shown)), expected);
}

void HTMLViewTest::fileLinkAsksFirst() {
  THTMLView view;
  view.resize(400, 300);
  view.show();
  const QUrl target = QUrl::fromLocalFile(dir_.filePath(QStringLiteral("elsewhere.txt")));
  QVERIFY(show(view, QStringLiteral("link.html"), "<a id=\"l\" href=\"" + target.toEncoded() + "\">elsewhere</a>"));
  QStringList asked;
  uitest::ModalWatcher watcher([&](QWidget* dialog) {
    auto* box = qobject_cast<QMessageBox*>(dialog);
    if (box == nullptr) return false;
    asked << box->text();
    box->button(QMessageBox::No)->click();  // never hand the file to the desktop from a test
    return true;
  });
  uitest::evaluate(&view, QStringLiteral("document.getElementById('l').click()"));
  QVERIFY(QTest::qWaitFor([&] { return !asked.isEmpty(); }, kLoadTimeout));
  QVERIFY2(asked.front().contains(target.toDisplayString()), qPrintable(asked.front()));
}

void HTMLViewTest::mailLinksReachTheDesktopWithAllowedFieldsOnly_data() {
  QTest::addColumn<QByteArray>("href");  // as the page holds it
  QTest::addColumn<QByteArray>("given");
  QTest::newRow("allowed fields stay")
      << QByteArray("mailto:ann@example.org?subject=Hi&amp;body=x&amp;cc=bo@example.org&amp;bcc=cy@example.org")
      << QByteArray("mailto:ann@example.org?subject=Hi&body=x&cc=bo@example.org&bcc=cy@example.org");
  QTest::newRow("attach goes") << QByteArray("mailto:ann@example.org?subject=Hi&amp;attach=/etc/passwd")
                               << QByteArray("mailto:ann@example.org?subject=Hi");
  QTest::newRow("name in references and escapes goes")
      << QByteArray("mailto:ann@example.org?&#x25;61ttach=/etc/passwd&#38;body=x") << QByteArray("mailto:ann@example.org?body=x");
  QTest::newRow("capitals after a second question mark go")
      << QByteArray("MAILTO:ann@example.org?Subject=Hi?ATTACHMENT=/etc/passwd")
      << QByteArray("mailto:ann@example.org?Subject=Hi");
  QTest::newRow("field without a value goes") << QByteArray("mailto:ann@example.org?attach")
                                              << QByteArray("mailto:ann@example.org");
}

// The page is shown as written, unsanitised: what reaches the mail program is the view's doing.
void HTMLViewTest::mailLinksReachTheDesktopWithAllowedFieldsOnly() {
  QFETCH(QByteArray, href);
  QFETCH(QByteArray, given);
  MailProgram mail;
  QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &mail, "open");
  const auto unset = qScopeGuard([] { QDesktopServices::unsetUrlHandler(QStringLiteral("mailto")); });
  THTMLView view;
  view.resize(400, 300);
  view.show();
  // The whole page is the link; a click of the mouse is the user's gesture the engine asks for
  // before a link leaves for another program.
  QVERIFY(show(view, QStringLiteral("mail.html"),
               "<body style=\"margin:0\"><a href=\"" + href +
                   "\" style=\"display:block;height:300px\">write</a></body>"));
  QTRY_VERIFY_WITH_TIMEOUT(view.focusProxy() != nullptr, kLoadTimeout);
  QTest::mouseClick(view.focusProxy(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
  QTRY_COMPARE_WITH_TIMEOUT(mail.given.size(), 1, 10000);
  QCOMPARE(mail.given.front().toEncoded(), given);
}

void HTMLViewTest::pageScriptsDoNotRun() {
  THTMLView view;
  view.resize(400, 300);
  view.show();
  QVERIFY(show(view, QStringLiteral("script.html"),
               "<html><head><title>still</title></head><body><p>x</p>"
               "<script>document.title='ran';alert('a dialog');</script></body></html>"));
  QCOMPARE(view.title(), QStringLiteral("still"));
}

void HTMLViewTest::remoteResourcesAreNotFetched() {
  QTcpServer server;
  QVERIFY(server.listen(QHostAddress::LocalHost));
  const QByteArray remote = "http://127.0.0.1:" + QByteArray::number(server.serverPort());
  const QByteArray html = "<html><head><link rel=\"stylesheet\" href=\"" + remote + "/s.css\"></head><body>"
                          "<img src=\"" + remote + "/i.png\"><p>remote</p></body></html>";
  THTMLView view;
  view.resize(400, 300);
  view.show();
  QVERIFY(show(view, QStringLiteral("remote.html"), html));
  // The same markup loaded from a string has no file origin to protect it; only the profile's
  // request filter keeps it local.
  QSignalSpy finished(&view, &QWebEngineView::loadFinished);
  view.LoadFromString(html);
  QVERIFY(finished.wait(kLoadTimeout));
  QVERIFY(!server.waitForNewConnection(0));
}

void HTMLViewTest::bodyPaddingIsRestyled() {
  THTMLView view;
  view.resize(400, 300);
  view.show();
  QVERIFY(show(view, QStringLiteral("pad.html"),
               "<html><head><style>body{padding:64 64 96 64;border:none;}</style></head>"
               "<body><p>padded</p></body></html>"));
  view.setBodyPadding(QStringLiteral("10"), QStringLiteral("11"), QStringLiteral("12"));
  const QString computed = QStringLiteral(
      "var s=getComputedStyle(document.body);[s.paddingLeft,s.paddingRight,s.paddingTop,s.paddingBottom].join(' ')");
  QCOMPARE(uitest::evaluate(&view, computed).toString(), QStringLiteral("10px 11px 12px 96px"));
  view.setBodyPadding(QStringLiteral("64'; document.title='x"), QString(), QString());
  QCOMPARE(uitest::evaluate(&view, QStringLiteral("document.title")).toString(), QString());
}

void HTMLViewTest::loadFromStringNeedsAShownPage() {
  THTMLView view;
  QSignalSpy started(&view, &QWebEngineView::loadStarted);
  view.LoadFromString("<p>nothing yet</p>");
  QTest::qWait(0);
  QCOMPARE(started.count(), 0);
  QVERIFY(view.url().isEmpty());

  view.resize(400, 300);
  view.show();
  QVERIFY(show(view, QStringLiteral("first.html"), "<p>first</p>"));
  QSignalSpy finished(&view, &QWebEngineView::loadFinished);
  view.LoadFromString("<p>from a string</p>");
  QVERIFY(finished.wait(kLoadTimeout));
  QCOMPARE(uitest::evaluate(&view, QStringLiteral("document.body.innerText")).toString(),
           QStringLiteral("from a string"));
}

void HTMLViewTest::printsToPdfWithoutAPrinter() {
  THTMLView view;
  QCOMPARE(view.printer().resolution(), 300);
  view.resize(400, 300);
  view.show();
  QVERIFY(show(view, QStringLiteral("print.html"), "<p>printed text</p>"));
  QPrinter printer(QPrinter::HighResolution);
  printer.setResolution(300);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir_.filePath(QStringLiteral("out.pdf")));
  QVERIFY(view.printTo(&printer));
  QFile pdf(printer.outputFileName());
  QVERIFY(pdf.open(QIODevice::ReadOnly));
  QVERIFY(pdf.read(5) == "%PDF-");
}

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  HTMLViewTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "HTMLView_test.moc"

// A document opened just after the start page began to load: the document's page is the one that
// loads and stays, whenever during the first page's load it comes.
void HTMLViewTest::aPageShownWhileAnotherLoadsIsTheOneShown() {
  const QString first = dir_.filePath(QStringLiteral("first.htm"));
  const QString second = dir_.filePath(QStringLiteral("second.htm"));
  for (const QString& name : {first, second}) {
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<html><body><p>" + name.toUtf8() + "</p></body></html>");
  }
  for (int delay : {0, 1, 2, 3, 5, 8, 12, 20, 30, 50}) {
    THTMLView view;
    view.resize(400, 300);
    view.show();
    QList<QUrl> finished;
    connect(&view, &QWebEngineView::loadFinished, &view, [&](bool) { finished << view.url(); });
    view.Navigate(QUrl::fromLocalFile(first));
    QTest::qWait(delay);
    view.Navigate(QUrl::fromLocalFile(second));
    QTRY_VERIFY2_WITH_TIMEOUT(finished.contains(QUrl::fromLocalFile(second)),
                              qPrintable(QStringLiteral("delay %1 ms").arg(delay)), 10000);
    QCOMPARE(view.url(), QUrl::fromLocalFile(second));
  }
}
