// Sanitised pages in a real browser engine with scripts ON: every hostile row, written through
// writePage, is loaded into a page whose profile lets scripts run and local pages reach the
// network, and which records every script dialog, console line, request and navigation.  No
// script may run, no request may leave the page's folder, and no mail link may carry a field a
// mail program would act on beyond subject, body, cc and bcc.  The same rows unsanitised show that
// the recording sees what it should.
#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

#include "app/page_writer.h"
#include "support/hostile_markup.h"
#include "text/fileutil.h"
#include "ui_support.h"

namespace {

constexpr std::string_view kHead =
    "<html>\r\n<head><title></title>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\"/>\r\n"
    "<style>\r\np{margin:0}</style></head><body><div id=\"page\">\r\n<p>";
constexpr std::string_view kTail = "</p><p><a href=\"#page\" id=\"end\">end</a></p>\r\n</div></body></html>";

// Time for what a page does after it has loaded (error handlers, a refresh, an animation's start)
// and after its links are clicked.
constexpr int kSettleMs = 150;

// Every request the engine makes; only local ones go through, so nothing reaches the network.
class RecordingInterceptor : public QWebEngineUrlRequestInterceptor {
 public:
  using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
  QList<QUrl> requests;
  void interceptRequest(QWebEngineUrlRequestInfo& info) override {
    requests << info.requestUrl();
    if (info.requestUrl().scheme() != QLatin1String("file") && info.requestUrl().scheme() != QLatin1String("data"))
      info.block(true);
  }
};

// Records what only a running script or a navigating page produces.
class RecordingPage : public QWebEnginePage {
 public:
  using QWebEnginePage::QWebEnginePage;
  QStringList scripted;  // alerts, confirms, prompts, new windows
  QList<QUrl> navigations;
  QStringList console;

 protected:
  void javaScriptAlert(const QUrl&, const QString& text) override { scripted << QStringLiteral("alert ") + text; }
  bool javaScriptConfirm(const QUrl&, const QString& text) override {
    scripted << QStringLiteral("confirm ") + text;
    return false;
  }
  bool javaScriptPrompt(const QUrl&, const QString& text, const QString&, QString*) override {
    scripted << QStringLiteral("prompt ") + text;
    return false;
  }
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& text, int, const QString&) override {
    console << text;
  }
  // The test's own load goes through; a clicked link to the web, to mail or within the page is
  // what links are for; any other navigation is the page acting on its own.
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
    if (type == NavigationTypeTyped && isMainFrame) return true;
    const bool linkForTheUser = type == NavigationTypeLinkClicked &&
                                (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https") ||
                                 url.scheme() == QLatin1String("mailto") ||
                                 url.adjusted(QUrl::RemoveFragment) == this->url().adjusted(QUrl::RemoveFragment));
    if (!linkForTheUser) navigations << url;
    return false;
  }
  QWebEnginePage* createWindow(WebWindowType) override {
    scripted << QStringLiteral("new window");
    return nullptr;
  }
};

}  // namespace

class SafePageTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase();
  void recordingSeesUnsanitisedRows_data();
  void recordingSeesUnsanitisedRows();
  void sanitisedRowsRunAndFetchNothing_data();
  void sanitisedRowsRunAndFetchNothing();
  void cleanupTestCase();

 private:
  void addRows();
  // Writes the row's page (sanitised or as it stands) into a fresh page folder and loads it.
  bool load(const QString& row, const std::string& markup, bool sanitise);
  // Requests that left the page's folder.
  QStringList requestsOutsideTheFolder() const;
  // The page's mail links, as the browser parsed them, that hold a field other than subject,
  // body, cc and bcc.
  QStringList mailLinksWithRefusedFields() const;

  QTemporaryDir dir_;
  QString folder_;
  QWebEngineProfile* profile_ = nullptr;
  RecordingInterceptor* interceptor_ = nullptr;
  RecordingPage* page_ = nullptr;
  QWebEngineView* view_ = nullptr;
};

void SafePageTest::initTestCase() {
  QVERIFY(dir_.isValid());
  profile_ = new QWebEngineProfile(this);
  QWebEngineSettings* settings = profile_->settings();
  settings->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
  settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
  settings->setAttribute(QWebEngineSettings::AutoLoadImages, true);
  interceptor_ = new RecordingInterceptor(profile_);
  profile_->setUrlRequestInterceptor(interceptor_);
  view_ = new QWebEngineView();
  page_ = new RecordingPage(profile_, view_);
  view_->setPage(page_);
  view_->resize(600, 400);
  view_->show();
}

void SafePageTest::cleanupTestCase() {
  delete view_;
  view_ = nullptr;
}

bool SafePageTest::load(const QString& row, const std::string& markup, bool sanitise) {
  folder_ = dir_.filePath(row + (sanitise ? QStringLiteral("-safe") : QStringLiteral("-raw")));
  if (!QDir().mkpath(folder_)) return false;
  const std::filesystem::path file = (folder_ + QStringLiteral("/doc.html")).toStdString();
  const std::string page = std::string(kHead) + markup + std::string(kTail);
  if (sanitise) {
    vellumine::writePage(file, page);
  } else {
    vellumine::WriteTextFile(file, page);
  }
  interceptor_->requests.clear();
  page_->scripted.clear();
  page_->navigations.clear();
  page_->console.clear();
  QSignalSpy finished(page_, &QWebEnginePage::loadFinished);
  page_->load(QUrl::fromLocalFile(uitest::qs(file)));
  if (!finished.wait(uitest::kLoadTimeout)) return false;
  QTest::qWait(kSettleMs);
  // Then every link is followed, as a reader might: a script address would run now.
  uitest::evaluate(view_, QStringLiteral("document.querySelectorAll('a[href],area[href]').forEach(function(a){a.click();})"));
  QTest::qWait(kSettleMs);
  return true;
}

QStringList SafePageTest::requestsOutsideTheFolder() const {
  QStringList outside;
  for (const QUrl& url : interceptor_->requests) {
    const bool local = url.isLocalFile() && url.toLocalFile().startsWith(folder_ + u'/');
    if (!local && url.scheme() != QLatin1String("data")) outside << url.toString();
  }
  return outside;
}

// Each field after "mailto:", split at every '?' and '&', named as a mail program reads the
// name: percent-decoded, in any case.
QStringList SafePageTest::mailLinksWithRefusedFields() const {
  const QStringList allowed = {QStringLiteral("subject"), QStringLiteral("body"), QStringLiteral("cc"),
                               QStringLiteral("bcc")};
  const QVariant hrefs = uitest::evaluate(
      view_, QStringLiteral("Array.from(document.querySelectorAll('a[href],area[href]')).map(function(a){return a.href;})"));
  QStringList refused;
  for (const QVariant& href : hrefs.toList()) {
    const QByteArray link = href.toString().toUtf8();
    if (!link.toLower().startsWith("mailto:")) continue;
    QList<QByteArray> pieces{QByteArray()};  // the address, then the fields
    for (char c : link.mid(7)) {
      if (c == '?' || c == '&') {
        pieces << QByteArray();
      } else {
        pieces.back() += c;
      }
    }
    for (qsizetype i = 1; i < pieces.size(); ++i) {
      const QByteArray name = QByteArray::fromPercentEncoding(pieces[i].left(pieces[i].indexOf('=')));
      if (!allowed.contains(QString::fromUtf8(name).toLower())) {
        refused << QString::fromUtf8(link);
        break;
      }
    }
  }
  return refused;
}

void SafePageTest::addRows() {
  QTest::addColumn<QByteArray>("markup");
  for (const auto& row : vellumine::test::hostileMarkup()) {
    QTest::newRow(std::string(row.name).c_str()) << QByteArray(row.markup.data(), qsizetype(row.markup.size()));
  }
}

// A few rows that any engine runs or fetches as they stand: the recording must see each.
void SafePageTest::recordingSeesUnsanitisedRows_data() {
  QTest::addColumn<QByteArray>("markup");
  QTest::addColumn<QString>("seen");  // a script that ran, a request that left, or a mail field
  const QString ran = QStringLiteral("script");
  const QString left = QStringLiteral("request");
  const QString mailed = QStringLiteral("mail field");
  QTest::newRow("script") << QByteArray("<script>alert(1)</script>") << ran;
  QTest::newRow("error handler") << QByteArray("<img src=x onerror=alert(1)>") << ran;
  QTest::newRow("script link in an svg") << QByteArray("<svg onload=alert(1)>") << ran;
  QTest::newRow("script link") << QByteArray("<a href=\"javascript:alert(1)\">x</a>") << ran;
  QTest::newRow("remote image") << QByteArray("<img src=\"https://evil.example/x.png\">") << left;
  QTest::newRow("style sheet import") << QByteArray("<style>@import 'https://evil.example/x.css';</style>") << left;
  QTest::newRow("mail link attaching a file")
      << QByteArray("<a href=\"mailto:a@example.org?subject=x&amp;&#x25;61ttach=/etc/passwd\">x</a>") << mailed;
}

void SafePageTest::recordingSeesUnsanitisedRows() {
  QFETCH(QByteArray, markup);
  QFETCH(QString, seen);
  QVERIFY(load(QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'-'), markup.toStdString(), false));
  if (seen == QLatin1String("script")) {
    QVERIFY2(!page_->scripted.isEmpty(), "the script did not run");
  } else if (seen == QLatin1String("request")) {
    QVERIFY2(!requestsOutsideTheFolder().isEmpty(), "no remote request was seen");
  } else {
    QVERIFY2(!mailLinksWithRefusedFields().isEmpty(), "no mail field was seen");
  }
}

void SafePageTest::sanitisedRowsRunAndFetchNothing_data() { addRows(); }

void SafePageTest::sanitisedRowsRunAndFetchNothing() {
  QFETCH(QByteArray, markup);
  QVERIFY(load(QString::fromLatin1(QTest::currentDataTag()), markup.toStdString(), true));
  QVERIFY2(page_->scripted.isEmpty(), qPrintable(page_->scripted.join(u'\n')));
  QVERIFY2(requestsOutsideTheFolder().isEmpty(), qPrintable(requestsOutsideTheFolder().join(u'\n')));
  QVERIFY2(mailLinksWithRefusedFields().isEmpty(), qPrintable(mailLinksWithRefusedFields().join(u'\n')));
  QStringList navigations;
  for (const QUrl& url : page_->navigations) navigations << url.toString();
  QVERIFY2(navigations.isEmpty(), qPrintable(navigations.join(u'\n')));
}

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  SafePageTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "safe_page_test.moc"
