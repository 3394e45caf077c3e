// The window fixture: a sandbox below a temporary folder, and a window driven as a user would.
#include "window_fixture.h"

#include <QAction>
#include <QMenu>
#include <QTest>

#include "app/ui/HTMLView.h"
#include "app/ui/page_layout.h"

namespace fs = std::filesystem;

namespace uitest {

bool WindowFixture::makeSandbox() {
  if (!dir_.isValid()) return false;
  const fs::path root = dir_.path().toStdString();
  docs_ = root / "docs";
  fs::create_directories(docs_);
  folders_ = sandboxFolders(root);
  return true;
}

void WindowFixture::closeWindow() {
  loads_.reset();
  form_.reset();
  std::error_code ec;
  fs::remove(folders_.recentList, ec);
  fs::remove(folders_.readingPlaces, ec);
  fs::remove(folders_.windowPlace, ec);
}

TForm1* WindowFixture::start(const fs::path& document) {
  form_ = std::make_unique<TForm1>(folders_, document);
  loads_ = std::make_unique<PageLoads>(form_->view());
  form_->show();
  form_->activateWindow();
  if (!QTest::qWaitForWindowActive(form_.get())) return nullptr;
  auto* recent = form_->findChild<QMenu*>(QStringLiteral("mOpenRecent"));
  if (!QTest::qWaitFor([recent] { return !recent->actions().isEmpty(); }, kLoadTimeout)) return nullptr;
  return form_.get();
}

// What a failed wait for the document's page reports: the page the window holds and the loads
// the view started and finished.
QString WindowFixture::pagesSeen() const {
  return QStringLiteral("document page \"%1\", the view: %2")
      .arg(qs(form_->document().htmlPath), loads_->events().join(QStringLiteral(", ")));
}

void WindowFixture::waitForDocumentPage() {
  // The page is named inside the wait: a load started by a key or a dialog answer may not have
  // made its page yet when the wait begins.
  const auto documentPageFinished = [this] {
    const fs::path& page = form_->document().htmlPath;
    return !page.empty() && loads_->finished(QUrl::fromLocalFile(qs(page)));
  };
  QTRY_VERIFY2_WITH_TIMEOUT(documentPageFinished(), qPrintable(pagesSeen()), kLoadTimeout);
  // In the page view the page is read once it is laid out on its pages.
  const PageLayout* pages = form_->findChild<PageLayout*>();
  QTRY_VERIFY_WITH_TIMEOUT(pages == nullptr || pages->isDone(), kLoadTimeout);
}

void WindowFixture::press(int key, Qt::KeyboardModifiers modifiers) {
  form_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  QTest::keyClick(form_.get(), static_cast<Qt::Key>(key), modifiers);
}

QAction* WindowFixture::action(const char* name) const { return form_->findChild<QAction*>(QLatin1String(name)); }

}  // namespace uitest
