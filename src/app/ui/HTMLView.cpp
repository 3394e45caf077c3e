// The browser view host: one off-the-record profile for every view, set up once with scripts off
// and remote requests blocked; a page class that holds the navigation policy; printing through
// one 300-dpi printer shared by print, preview and page set-up.
#include "app/ui/HTMLView.h"

#include <QWebEngineLoadingInfo>

#include <QCoreApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>
#include <stdexcept>

#include "app/link_handoff.h"
#include "app/ui/localwait.h"
#include "app/ui/plain_text.h"
#include "app/ui/qt_path.h"

namespace {

constexpr int kPrintResolution = 300;  // 1200 dpi takes seconds and a gigabyte per few pages

bool isLocalScheme(const QString& scheme) {
  return scheme == QLatin1String("file") || scheme == QLatin1String("data") ||
         scheme == QLatin1String("qrc") || scheme == QLatin1String("about") ||
         scheme == QLatin1String("blob");
}

vellumine::LinkHandOff handOffFor(const QUrl& url) {
  return vellumine::linkHandOff(url.scheme().toStdString());
}

bool isExternalScheme(const QUrl& url) { return handOffFor(url) != vellumine::LinkHandOff::Refuse; }

// The last word on remote content: whatever a page or a redirect asks for, only local schemes
// are fetched.
class RemoteRequestBlocker : public QWebEngineUrlRequestInterceptor {
 public:
  using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
  void interceptRequest(QWebEngineUrlRequestInfo& info) override {
    if (!isLocalScheme(info.requestUrl().scheme())) info.block(true);
  }
};

void applyLocalOnlySettings(QWebEngineSettings* settings) {
  settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
  settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
  settings->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
  settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
  settings->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
  settings->setAttribute(QWebEngineSettings::AutoLoadImages, true);
  settings->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
  settings->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
}

// One profile for every view, off the record (no cache or cookies on disk), owned by the
// application so it outlives the pages.  Downloads stay unconnected: Qt cancels a download that
// nobody accepts.
QWebEngineProfile* viewProfile() {
  static QWebEngineProfile* profile = [] {
    auto* p = new QWebEngineProfile(QCoreApplication::instance());
    applyLocalOnlySettings(p->settings());
    p->setUrlRequestInterceptor(new RemoteRequestBlocker(p));
    return p;
  }();
  return profile;
}

// The view a page belongs to (the pages are children of their view, popups of the page).
QWidget* owningWidget(QObject* object) {
  while (object != nullptr && !object->isWidgetType()) object = object->parent();
  return static_cast<QWidget*>(object);
}

// A local file or FTP target is shown to the user, who decides whether it leaves the viewer.
bool userAgreesToOpen(QWidget* parent, const QUrl& url) {
  const QString text = QStringLiteral("This link opens a file or folder outside the document:\n\n%1\n\n"
                                      "Open it with the program your desktop chooses?")
                           .arg(url.toDisplayString());
  return askPlain(parent, QMessageBox::Question, QStringLiteral("Open link"), text,
                  QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

// What the desktop gets for url: a mail link only with the fields a mail program may be given.
QUrl linkToHandOver(const QUrl& url) {
  const std::string handed = vellumine::linkToHandOver(url.toEncoded().toStdString());
  return QUrl::fromEncoded(QByteArray::fromStdString(handed));
}

// Runs after the navigation request has been answered, so that no dialog opens inside the
// browser's own call.
void openExternally(QObject* requester, const QUrl& url) {
  const vellumine::LinkHandOff handOff = handOffFor(url);
  if (handOff == vellumine::LinkHandOff::Refuse) return;
  QWidget* parent = owningWidget(requester);
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [parent = QPointer<QWidget>(parent), url = linkToHandOver(url), handOff] {
        if (handOff == vellumine::LinkHandOff::AskFirst && !userAgreesToOpen(parent, url)) return;
        QDesktopServices::openUrl(url);
      },
      Qt::QueuedConnection);
}

// Takes the first navigation of a window that a link asked for (target=_blank, a middle or
// Ctrl+click) to the user's browser, and goes away.
class PopupLinkCatcher : public QWebEnginePage {
 public:
  using QWebEnginePage::QWebEnginePage;

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override {
    openExternally(this, url);
    deleteLater();
    return false;
  }
};

// The page of every view: the navigation policy and silence instead of script dialogs.
class LocalDocumentPage : public QWebEnginePage {
 public:
  using QWebEnginePage::QWebEnginePage;

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
    NavigationDecision decision = decideNavigation(url, type, this->url());
    if (decision == NavigationDecision::OpenExternally && isMainFrame) openExternally(this, url);
    return decision == NavigationDecision::Accept;
  }

  QWebEnginePage* createWindow(WebWindowType) override { return new PopupLinkCatcher(profile(), this); }

  void javaScriptAlert(const QUrl&, const QString&) override {}
  bool javaScriptConfirm(const QUrl&, const QString&) override { return false; }
  bool javaScriptPrompt(const QUrl&, const QString&, const QString&, QString*) override { return false; }
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int, const QString&) override {}
};

QString jsString(const QString& text) {
  QString quoted = QStringLiteral("'");
  for (QChar ch : text) {
    if (ch == u'\\' || ch == u'\'') quoted += u'\\';
    if (ch.unicode() < 0x20 || ch == u'<') {
      quoted += QStringLiteral("\\u%1").arg(ch.unicode(), 4, 16, QLatin1Char('0'));
    } else {
      quoted += ch;
    }
  }
  return quoted + u'\'';
}

}  // namespace

NavigationDecision decideNavigation(const QUrl& target, QWebEnginePage::NavigationType type,
                                    const QUrl& shown) {
  if (type != QWebEnginePage::NavigationTypeLinkClicked) {
    return isLocalScheme(target.scheme()) ? NavigationDecision::Accept : NavigationDecision::Refuse;
  }
  if (target.adjusted(QUrl::RemoveFragment) == shown.adjusted(QUrl::RemoveFragment)) {
    return NavigationDecision::Accept;
  }
  return isExternalScheme(target) ? NavigationDecision::OpenExternally : NavigationDecision::Refuse;
}

THTMLView::THTMLView(QWidget* parent) : QWebEngineView(parent) {
  setPage(new LocalDocumentPage(viewProfile(), this));
  setContextMenuPolicy(Qt::NoContextMenu);
  printer_.setResolution(kPrintResolution);
  connect(this, &QWebEngineView::loadFinished, this, [this] {
    hasDocument_ = true;
    focusDocument();
  });
  connect(page(), &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
    if (info.status() != QWebEngineLoadingInfo::LoadStartedStatus) loadEnded(info.url());
  });
}

THTMLView::~THTMLView() = default;

void THTMLView::Navigate(const std::filesystem::path& file) { Navigate(localFileUrl(file)); }

void THTMLView::Navigate(const QUrl& url) {
  wanted_ = url;
  wantedAsks_ = 1;
  load(url);
}

// A load asked for just after another began is now and then dropped by the engine, which then
// finishes the first page: a document opened while the start page loads would never show.  When a
// load ends on another page than the one asked for last, that page is asked for again (a few
// times at most, so that a page the engine keeps refusing cannot make a loop).
void THTMLView::loadEnded(const QUrl& ended) {
  if (wanted_.isEmpty()) return;
  if (ended.adjusted(QUrl::RemoveFragment) == wanted_.adjusted(QUrl::RemoveFragment) || wantedAsks_ >= 3) {
    wanted_.clear();
    return;
  }
  ++wantedAsks_;
  load(wanted_);
}

// So that the keyboard scrolls the page without a click first.
void THTMLView::focusDocument() {
  if (isVisible()) setFocus(Qt::OtherFocusReason);
  page()->runJavaScript(QStringLiteral("window.focus();"), QWebEngineScript::ApplicationWorld);
}

bool THTMLView::printTo(QPrinter* printer) {
  if (printing_) return false;
  printing_ = true;
  bool success = false;
  LocalWait wait;
  connect(this, &QWebEngineView::printFinished, &wait, [&](bool ok) {
    success = ok;
    wait.finish();
  });
  print(printer);
  wait.wait();
  printing_ = false;
  return success;
}

void THTMLView::Print() {
  QPrintDialog dialog(&printer_, this);
  if (dialog.exec() != QDialog::Accepted) return;
  if (!printTo(&printer_)) throw std::runtime_error("The page could not be printed.");
}

void THTMLView::PrintPreview() {
  QPrintPreviewDialog preview(&printer_, this);
  connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) {
    if (printTo(printer)) return;
    QPainter painter;
    if (painter.begin(printer)) {
      painter.drawText(QPointF(10, 25), tr("Could not generate print preview."));
      painter.end();
    }
  });
  preview.exec();
}

void THTMLView::PageSetup() {
  QPageSetupDialog dialog(&printer_, this);
  dialog.exec();
}

void THTMLView::LoadFromString(const QByteArray& text) {
  if (!hasDocument_) return;
  setHtml(QString::fromUtf8(text));
}

void THTMLView::setBodyPadding(const QString& left, const QString& right, const QString& top) {
  const QString script =
      QStringLiteral("(function(){var b=document.body;if(!b)return;var s=b.style;"
                     "s.paddingLeft=%1;s.paddingRight=%2;s.paddingTop=%3;})();")
          .arg(jsString(left), jsString(right), jsString(top));
  page()->runJavaScript(script, QWebEngineScript::ApplicationWorld);
}
