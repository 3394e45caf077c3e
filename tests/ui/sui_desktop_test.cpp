// The main window's desktop habits on the offscreen platform (one 1920x1080 screen, set up in
// main): the desktop keys and the menus that show them, File > Close, full screen, the zoom cell,
// the first window's size, the remembered place, and the loading sheet before the first page.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QScreen>
#include <QShortcut>
#include <QTemporaryFile>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "app/docx_writer.h"
#include "app/ui/HTMLView.h"
#include "app/ui/loading_cover.h"
#include "app/ui/statusbar.h"
#include "app/ui/sui.h"
#include "app/ui/zoom.h"
#include "app/window_place_file.h"
#include "ui_support.h"
#include "window_fixture.h"

namespace fs = std::filesystem;
using uitest::DialogAnswers;
using uitest::kLoadTimeout;
using uitest::ModalWatcher;
using uitest::qs;


namespace {

constexpr QSize kScreenSize(1920, 1080);

// The offscreen platform's screen, as large as a common desktop's, so that two thirds of it is
// more than a page's width.
const char kScreenConfig[] =
    R"({"screens": [{"name": "desktop", "x": 0, "y": 0, "width": 1920, "height": 1080}]})";

QRect availableScreen() { return QGuiApplication::primaryScreen()->availableGeometry(); }

}  // namespace

class SuiDesktopTest : public QObject, uitest::WindowFixture {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase();
  void menusShowTheDesktopKeys_data();
  void menusShowTheDesktopKeys();
  void noKeyIsBoundTwice();
  void keysOpenTheirDialogs_data();
  void keysOpenTheirDialogs();
  void ctrlWClosesTheDocument();
  void f11TogglesFullScreen();
  void ctrlQQuits();
  void zoomCellFollowsTheZoom();
  void firstWindowIsTwoThirdsOfTheScreen();
  void rememberedPlaceIsRestored();
  void maximisedStateIsRestored();
  void placeOffTheScreensIsNotRestored();
  void loadingSheetCoversTheViewUntilTheFirstPage();
  void loadingSheetCoversADocumentLoad();
  void loadingSheetGoesWhenALoadFails();
  void cleanup();

 private:
  std::unique_ptr<TForm1> makeWindow();
  fs::path sample_;
};

void SuiDesktopTest::initTestCase() {
  QVERIFY(makeSandbox());
  QCOMPARE(QGuiApplication::primaryScreen()->size(), kScreenSize);
  sample_ = docs_ / "Desk report.docx";
  vellumine::test::writeDocx(sample_, {"A page for the desktop keys.", "Second paragraph."},
                             {{"docProps/core.xml", vellumine::test::coreXml("Desk title", "Ann Author", "")}});
}

void SuiDesktopTest::cleanup() { closeWindow(); }

// A window made as main() makes it, not yet shown; the one before is closed, its files kept.
std::unique_ptr<TForm1> SuiDesktopTest::makeWindow() {
  loads_.reset();
  form_.reset();
  return std::make_unique<TForm1>(folders_, fs::path());
}

// --- keys -----------------------------------------------------------------------------------

void SuiDesktopTest::menusShowTheDesktopKeys_data() {
  QTest::addColumn<QString>("item");
  QTest::addColumn<QKeySequence>("shown");
  QTest::addColumn<QKeySequence>("kept");  // the key the item had before, still working
  QTest::newRow("open") << "FileOpenItem" << QKeySequence(Qt::CTRL | Qt::Key_O) << QKeySequence(Qt::Key_F2);
  QTest::newRow("print") << "mPrint" << QKeySequence(Qt::CTRL | Qt::Key_P) << QKeySequence(Qt::CTRL | Qt::Key_P);
  QTest::newRow("save as HTML") << "mSaveAsHTML" << QKeySequence(Qt::CTRL | Qt::Key_S) << QKeySequence(Qt::Key_F10);
  QTest::newRow("close") << "mClose" << QKeySequence(Qt::CTRL | Qt::Key_W) << QKeySequence(Qt::CTRL | Qt::Key_W);
  QTest::newRow("quit") << "mExit" << QKeySequence(Qt::CTRL | Qt::Key_Q) << QKeySequence(Qt::Key_F12);
  QTest::newRow("full screen") << "mFullScreen" << QKeySequence(Qt::Key_F11) << QKeySequence(Qt::Key_F11);
  QTest::newRow("find") << "mFind" << QKeySequence(Qt::CTRL | Qt::Key_F) << QKeySequence(Qt::CTRL | Qt::Key_F);
}

// A menu shows an item's first key; the item is in a menu and visible there.
void SuiDesktopTest::menusShowTheDesktopKeys() {
  QFETCH(QString, item);
  QFETCH(QKeySequence, shown);
  QFETCH(QKeySequence, kept);
  QVERIFY(start());
  QAction* command = action(qPrintable(item));
  QVERIFY(command != nullptr);
  QCOMPARE(command->shortcut(), shown);
  QVERIFY(command->shortcuts().contains(kept));
  QVERIFY(command->isVisible());
  bool inAMenu = false;
  for (QObject* holder : command->associatedObjects()) inAMenu = inAMenu || qobject_cast<QMenu*>(holder) != nullptr;
  QVERIFY(inAMenu);
}

// Qt fires neither command of a key bound twice in one window.
void SuiDesktopTest::noKeyIsBoundTwice() {
  QVERIFY(start());
  QMap<QKeySequence, QString> owners;
  const auto claim = [&](const QKeySequence& key, const QString& owner) {
    QVERIFY2(!owners.contains(key), qPrintable(key.toString() + " is bound to " + owners.value(key) + " and " + owner));
    owners.insert(key, owner);
  };
  for (QAction* command : form_->findChildren<QAction*>()) {
    for (const QKeySequence& key : command->shortcuts()) claim(key, command->objectName());
  }
  for (QShortcut* shortcut : form_->findChildren<QShortcut*>()) claim(shortcut->key(), QStringLiteral("a shortcut"));
  QVERIFY(owners.size() >= 20);
}

void SuiDesktopTest::keysOpenTheirDialogs_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("modifiers");
  QTest::addColumn<bool>("withDocument");
  QTest::addColumn<QString>("dialog");
  const int ctrl = Qt::ControlModifier;
  QTest::newRow("Ctrl+O opens") << int(Qt::Key_O) << ctrl << false << "OpenDialog";
  QTest::newRow("F2 opens") << int(Qt::Key_F2) << 0 << false << "OpenDialog";
  QTest::newRow("Ctrl+S saves the page") << int(Qt::Key_S) << ctrl << true << "SaveDialog";
  QTest::newRow("F10 saves the page") << int(Qt::Key_F10) << 0 << true << "SaveDialog";
  QTest::newRow("Ctrl+P prints") << int(Qt::Key_P) << ctrl << true << "QPrintDialog";
  QTest::newRow("Ctrl+S without a document") << int(Qt::Key_S) << ctrl << false << "";
  QTest::newRow("Ctrl+P without a document") << int(Qt::Key_P) << ctrl << false << "";
}

void SuiDesktopTest::keysOpenTheirDialogs() {
  QFETCH(int, key);
  QFETCH(int, modifiers);
  QFETCH(bool, withDocument);
  QFETCH(QString, dialog);
  QVERIFY(start(withDocument ? sample_ : fs::path()));
  if (withDocument) waitForDocumentPage();
  DialogAnswers answers;
  ModalWatcher watcher([&](QWidget* shown) { return answers.handle(shown); });
  press(key, Qt::KeyboardModifiers(modifiers));
  QCOMPARE(watcher.seen(), dialog.isEmpty() ? QStringList() : QStringList{dialog});
}

void SuiDesktopTest::ctrlWClosesTheDocument() {
  QVERIFY(start(sample_));
  waitForDocumentPage();
  form_->zoom()->setFactor(1.5);
  const fs::path package = form_->document().packageFolder;
  QVERIFY(fs::exists(package));
  press(Qt::Key_W, Qt::ControlModifier);

  QVERIFY(!fs::exists(package));
  QVERIFY(form_->document().htmlPath.empty());
  QVERIFY(form_->document().currentDocumentPath.empty());
  QCOMPARE(form_->windowTitle(), QStringLiteral(" Vellumine 1.35"));
  DocumentStatusBar* bar = form_->documentStatusBar();
  QCOMPARE(bar->titleText(), QString());
  QCOMPARE(bar->authorText(), QString());
  QCOMPARE(bar->sizeText(), QString());
  QVERIFY(bar->warnings().isEmpty());
  for (const char* name : {"mPrint", "mPrintPreview", "mPageSetup", "mExportPdf", "mSaveAsHTML", "mClose", "mFind",
                           "mReload"}) {
    QVERIFY2(!action(name)->isEnabled(), name);
  }
  QVERIFY(action("FileOpenItem")->isEnabled());
  QTRY_VERIFY_WITH_TIMEOUT(form_->view()->url().path().endsWith(QStringLiteral("lib/init.htm")), kLoadTimeout);
  QCOMPARE(form_->zoom()->factor(), 1.5);  // the zoom is the window's, not the document's

  // The closed document opens again.
  form_->loadDocument(sample_);
  waitForDocumentPage();
  QVERIFY(action("mClose")->isEnabled());
}

void SuiDesktopTest::f11TogglesFullScreen() {
  QVERIFY(start());
  form_->showMaximized();
  QTRY_VERIFY(form_->isMaximized());
  press(Qt::Key_F11);
  QTRY_VERIFY(form_->isFullScreen());
  QVERIFY(action("mFullScreen")->isChecked());
  press(Qt::Key_F11);
  QTRY_VERIFY(!form_->isFullScreen());
  QVERIFY(form_->isMaximized());  // back to the state before
  QVERIFY(!action("mFullScreen")->isChecked());
}

void SuiDesktopTest::ctrlQQuits() {
  QVERIFY(start(sample_));
  waitForDocumentPage();
  const fs::path package = form_->document().packageFolder;
  press(Qt::Key_Q, Qt::ControlModifier);
  QTRY_VERIFY(!form_->isVisible());
  QVERIFY(!fs::exists(package));
}

// Each step: the key pressed, then what the cell says.
void SuiDesktopTest::zoomCellFollowsTheZoom() {
  struct Step {
    Qt::Key key;
    const char* cell;
  };
  const Step steps[] = {{Qt::Key_Plus, "110 %"}, {Qt::Key_Equal, "125 %"}, {Qt::Key_Minus, "110 %"},
                        {Qt::Key_Minus, "100 %"}, {Qt::Key_Minus, "90 %"},  {Qt::Key_Minus, "80 %"},
                        {Qt::Key_Minus, "75 %"},  {Qt::Key_Minus, "67 %"},  {Qt::Key_0, "100 %"}};
  QVERIFY(start());
  DocumentStatusBar* bar = form_->documentStatusBar();
  QCOMPARE(bar->zoomText(), QStringLiteral("100 %"));
  for (const Step& step : steps) {
    press(step.key, Qt::ControlModifier);
    QCOMPARE(bar->zoomText(), QString::fromLatin1(step.cell));
  }
  form_->zoom()->setFactor(5.0);
  QCOMPARE(bar->zoomText(), QStringLiteral("500 %"));
}

// --- the window's place ---------------------------------------------------------------------

void SuiDesktopTest::firstWindowIsTwoThirdsOfTheScreen() {
  QVERIFY(!fs::exists(folders_.windowPlace));
  form_ = makeWindow();
  const QRect screen = availableScreen();
  const QRect window = form_->geometry();
  QVERIFY2(qAbs(window.width() - screen.width() * 2 / 3) <= 1, qPrintable(QString::number(window.width())));
  QVERIFY2(qAbs(window.height() - screen.height() * 2 / 3) <= 1, qPrintable(QString::number(window.height())));
  QVERIFY(window.width() >= 880);
  QVERIFY((window.center() - screen.center()).manhattanLength() <= 2);
}

void SuiDesktopTest::rememberedPlaceIsRestored() {
  QVERIFY(start());
  const QRect chosen(150, 90, 1000, 700);
  form_->setGeometry(chosen);
  QTRY_COMPARE(form_->geometry(), chosen);
  form_->close();
  const std::optional<vellumine::WindowPlace> saved = vellumine::readWindowPlace(folders_.windowPlace);
  QVERIFY(saved.has_value());
  QCOMPARE(saved->normal, (vellumine::ScreenRect{150, 90, 1000, 700}));

  form_ = makeWindow();
  QCOMPARE(form_->geometry(), chosen);
  form_->showInPlace();
  QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  QVERIFY(!form_->isMaximized());
  QCOMPARE(form_->geometry(), chosen);
}

void SuiDesktopTest::maximisedStateIsRestored() {
  QVERIFY(start());
  form_->showMaximized();
  QTRY_VERIFY(form_->isMaximized());
  form_->close();
  const std::optional<vellumine::WindowPlace> saved = vellumine::readWindowPlace(folders_.windowPlace);
  QVERIFY(saved.has_value());
  QVERIFY(saved->maximised);
  QVERIFY(saved->normal.width >= 880);  // the geometry it returns to, not the screen's

  form_ = makeWindow();
  form_->showInPlace();
  QTRY_VERIFY(form_->isMaximized());
}

// A place on a monitor that is gone: the window opens as on a first start.
void SuiDesktopTest::placeOffTheScreensIsNotRestored() {
  vellumine::writeWindowPlace(folders_.windowPlace, {{4000, 200, 900, 700}, false, false});
  form_ = makeWindow();
  const QRect window = form_->geometry();
  QVERIFY(availableScreen().contains(window));
  QVERIFY((window.center() - availableScreen().center()).manhattanLength() <= 2);
}

// --- the loading sheet ----------------------------------------------------------------------

void SuiDesktopTest::loadingSheetCoversTheViewUntilTheFirstPage() {
  form_ = makeWindow();
  LoadingCover* cover = form_->loadingCover();
  QVERIFY(cover->covering());
  QCOMPARE(cover->text(), QStringLiteral("Loading..."));
  QList<bool> coveredAtStart;
  connect(form_->view(), &QWebEngineView::loadStarted, this, [&] { coveredAtStart << cover->isVisible(); });
  form_->show();
  QVERIFY(cover->isVisible());
  QCOMPARE(cover->geometry(), form_->view()->geometry());
  QTRY_VERIFY_WITH_TIMEOUT(!cover->covering(), kLoadTimeout);
  QVERIFY(!cover->isVisible());
  QVERIFY(!coveredAtStart.isEmpty());
  QCOMPARE(coveredAtStart.front(), true);
}

void SuiDesktopTest::loadingSheetCoversADocumentLoad() {
  QVERIFY(start());
  LoadingCover* cover = form_->loadingCover();
  QTRY_VERIFY_WITH_TIMEOUT(!cover->covering(), kLoadTimeout);
  QList<bool> coveredDuringLoad;
  connect(form_.get(), &TForm1::loadProgressShown, this, [&](int) { coveredDuringLoad << cover->isVisible(); });
  form_->loadDocument(sample_);
  QVERIFY(coveredDuringLoad.size() >= 5);
  QVERIFY(!coveredDuringLoad.contains(false));
  waitForDocumentPage();
  QTRY_VERIFY_WITH_TIMEOUT(!cover->covering(), kLoadTimeout);
  QVERIFY(!cover->isVisible());
}

void SuiDesktopTest::loadingSheetGoesWhenALoadFails() {
  QVERIFY(start());
  LoadingCover* cover = form_->loadingCover();
  QTRY_VERIFY_WITH_TIMEOUT(!cover->covering(), kLoadTimeout);
  const fs::path broken = docs_ / "Broken.docx";
  std::ofstream(broken) << "plain text, not an archive; long enough for the reader to look at it";
  QVERIFY_THROWS_EXCEPTION(std::exception, form_->loadDocument(broken));
  QVERIFY(!cover->covering());
  QVERIFY(!cover->isVisible());
}

int main(int argc, char** argv) {
  QTemporaryFile config;
  if (!config.open() || config.write(kScreenConfig) < 0) return 1;
  config.flush();
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config.fileName()));
  QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  QApplication app(argc, argv);
  SuiDesktopTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "sui_desktop_test.moc"
