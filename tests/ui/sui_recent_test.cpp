// The window's recent list and desktop commands on the offscreen platform: the "Open Recent"
// items after File > Open, a click on them, the list across a close and a new start, and the
// messages of the association and shortcut commands with the XDG folders in a temporary folder.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/docx_writer.h"
#include "app/ui/HTMLView.h"
#include "app/ui/reading_place_keeper.h"
#include "app/ui/sui.h"
#include "app/ui/zoom.h"
#include "ui_support.h"
#include "window_fixture.h"

namespace fs = std::filesystem;
using uitest::readFile;
using uitest::qs;
using uitest::kLoadTimeout;
using uitest::DialogAnswers;
using uitest::ModalWatcher;

namespace {

// Answers question boxes with Yes and everything else as DialogAnswers does.
struct YesAnswers : DialogAnswers {
  bool handle(QWidget* dialog) {
    auto* box = qobject_cast<QMessageBox*>(dialog);
    if (box != nullptr && box->button(QMessageBox::Yes) != nullptr) {
      messages << box->text();
      box->button(QMessageBox::Yes)->click();
      return true;
    }
    return DialogAnswers::handle(dialog);
  }
};

// Sets an environment variable for one scope and puts the old value (or its absence) back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const fs::path& value) : name_(name), old_(qgetenv(name)) {
    qputenv(name, QByteArray::fromStdString(value.string()));
  }
  ~ScopedEnv() {
    if (old_.isNull()) {
      qunsetenv(name_);
    } else {
      qputenv(name_, old_);
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  QByteArray old_;
};

}  // namespace

class SuiRecentTest : public QObject, uitest::WindowFixture {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase();
  void init();
  void openedDocumentsFillTheSubmenu();
  void listSurvivesCloseAndStart();
  void failedOpenIsNotAdded();
  void missingRecentFileIsReported();
  void reopenedDocumentGoesBackToItsPlaceAndZoom();
  void desktopCommandsShowTheirMessages();
  void cleanup();

 private:
  void openWithF2(const fs::path& document);
  QStringList visibleCaptions() const;
  QList<QAction*> recentItems() const {
    return form_->findChild<QMenu*>(QStringLiteral("mOpenRecent"))->actions();
  }

  QString topParagraph() {
    return uitest::evaluate(form_->view(), QStringLiteral("(function(){for(const p of document.querySelectorAll("
                                                          "'#page p,.vm-col p')){if(p.getBoundingClientRect().bottom>0)"
                                                          "return p.innerText;}return '';})()"))
        .toString();
  }

  fs::path first_;
  fs::path second_;
  fs::path long_;  // 75 numbered paragraphs
  std::unique_ptr<DialogAnswers> answers_;
  std::unique_ptr<ModalWatcher> watcher_;
};

void SuiRecentTest::initTestCase() {
  QVERIFY(makeSandbox());
  first_ = docs_ / "First.docx";
  second_ = docs_ / "Tom & Jerry.docx";
  vellumine::test::writeDocx(first_, {"The first document."});
  vellumine::test::writeDocx(second_, {"The second document, with an ampersand in its name."});
  long_ = docs_ / "Long.docx";
  std::vector<std::string> paragraphs;
  for (int i = 1; i <= 75; ++i) paragraphs.push_back("Paragraph " + std::to_string(i) + ": quince jelly sets.");
  vellumine::test::writeDocx(long_, paragraphs);
}

void SuiRecentTest::init() {
  answers_ = std::make_unique<DialogAnswers>();
  watcher_ = std::make_unique<ModalWatcher>([this](QWidget* dialog) { return answers_->handle(dialog); });
}

void SuiRecentTest::cleanup() {
  watcher_.reset();
  closeWindow();
}

void SuiRecentTest::openWithF2(const fs::path& document) {
  answers_->fileToChoose = qs(document);
  press(Qt::Key_F2);
  QTRY_COMPARE_WITH_TIMEOUT(form_->document().currentDocumentPath, document, kLoadTimeout);
}

QStringList SuiRecentTest::visibleCaptions() const {
  QStringList captions;
  for (QAction* item : recentItems()) {
    if (item->isVisible()) captions << item->text();
  }
  return captions;
}

void SuiRecentTest::openedDocumentsFillTheSubmenu() {
  QVERIFY(start());
  QCOMPARE(recentItems().size(), 8);
  QVERIFY(visibleCaptions().isEmpty());
  openWithF2(first_);
  openWithF2(second_);
  // The menu shows the ampersand itself instead of taking it as a key marker.
  QCOMPARE(visibleCaptions(), (QStringList{qs(docs_ / "Tom && Jerry.docx"), qs(first_)}));
  QCOMPARE(recentItems()[1]->text(), qs(first_));

  // Choosing an entry opens it again and leaves the list as it is.
  recentItems()[1]->trigger();
  QCOMPARE(form_->document().currentDocumentPath, first_);
  recentItems()[0]->trigger();
  QCOMPARE(form_->document().currentDocumentPath, second_);
  QCOMPARE(form_->recentFiles().slot(0), second_.string());
  QCOMPARE(form_->recentFiles().slot(1), first_.string());
  QVERIFY(answers_->messages.isEmpty());
}

void SuiRecentTest::listSurvivesCloseAndStart() {
  QVERIFY(start());
  openWithF2(first_);
  openWithF2(second_);
  QVERIFY(form_->close());
  QCOMPARE(readFile(folders_.recentList), second_.string() + "\r\n" + first_.string() + "\r\n\r\n\r\n\r\n\r\n\r\n");

  QVERIFY(start());
  QCOMPARE(visibleCaptions(), (QStringList{qs(docs_ / "Tom && Jerry.docx"), qs(first_)}));
  // Opening the older one again swaps the two entries.
  openWithF2(first_);
  QCOMPARE(visibleCaptions(), (QStringList{qs(first_), qs(docs_ / "Tom && Jerry.docx")}));
}

void SuiRecentTest::failedOpenIsNotAdded() {
  QVERIFY(start());
  const fs::path broken = docs_ / "Broken.docx";
  std::ofstream(broken) << "plain text, not an archive; long enough for the reader to look at it";
  answers_->fileToChoose = qs(broken);
  press(Qt::Key_F2);
  QTRY_COMPARE_WITH_TIMEOUT(answers_->messages.size(), 1, kLoadTimeout);
  QVERIFY(visibleCaptions().isEmpty());
  QCOMPARE(form_->recentFiles().slot(0), std::string());
}

void SuiRecentTest::missingRecentFileIsReported() {
  fs::create_directories(folders_.recentList.parent_path());
  std::ofstream(folders_.recentList, std::ios::binary) << (docs_ / "Gone.docx").string() << "\r\n"
                                                       << first_.string();
  QVERIFY(start());
  QCOMPARE(visibleCaptions(), (QStringList{qs(docs_ / "Gone.docx"), qs(first_)}));
  recentItems()[0]->trigger();
  QCOMPARE(answers_->messages,
           QStringList{QStringLiteral("File not found.\nMaybe it was moved or renamed,\nplease check.")});
  QVERIFY(form_->document().packageFolder.empty());
  QCOMPARE(visibleCaptions().size(), 2);  // the entry stays
}

// The place is the text block at the top of the view and the zoom, kept in places.lst without
// any of the document's text, and found again from the recent list and in the next session.
void SuiRecentTest::reopenedDocumentGoesBackToItsPlaceAndZoom() {
  QVERIFY(start(long_));
  waitForDocumentPage();
  QSignalSpy placeRead(form_->placeKeeper(), &ReadingPlaceKeeper::placeRead);
  form_->zoom()->setFactor(1.5);
  uitest::evaluate(form_->view(), QStringLiteral("document.querySelectorAll('#page p,.vm-col p')[40].scrollIntoView();"
                                                 "window.scrollBy(0, 3)"));
  QTRY_COMPARE(topParagraph(), QStringLiteral("Paragraph 41: quince jelly sets."));
  QTRY_VERIFY_WITH_TIMEOUT(!placeRead.isEmpty(), kLoadTimeout);

  openWithF2(first_);
  waitForDocumentPage();
  form_->zoom()->setFactor(1.0);
  const std::string places = readFile(folders_.readingPlaces);
  QVERIFY2(places.find(fs::weakly_canonical(long_).string()) != std::string::npos, places.c_str());
  QVERIFY2(places.find("quince") == std::string::npos, places.c_str());

  QSignalSpy restored(form_->placeKeeper(), &ReadingPlaceKeeper::restored);
  answers_->fileToChoose = qs(long_);
  press(Qt::Key_F2);
  QTRY_COMPARE_WITH_TIMEOUT(restored.size(), 1, kLoadTimeout);
  QCOMPARE(restored.at(0).at(0).toBool(), true);
  QCOMPARE(form_->zoom()->factor(), 1.5);
  QTRY_COMPARE(topParagraph(), QStringLiteral("Paragraph 41: quince jelly sets."));

  // A document the reader never moved in has no place: it opens at the top.
  restored.clear();
  openWithF2(second_);
  waitForDocumentPage();
  QCOMPARE(restored.size(), 0);

  // The next session finds the place too.
  form_.reset();
  QVERIFY(start(long_));
  QTRY_COMPARE_WITH_TIMEOUT(topParagraph(), QStringLiteral("Paragraph 41: quince jelly sets."), kLoadTimeout);
  QCOMPARE(form_->zoom()->factor(), 1.5);
}

void SuiRecentTest::desktopCommandsShowTheirMessages() {
  const fs::path root = fs::path(dir_.path().toStdString()) / "desktop";
  const fs::path config = root / "config";
  fs::create_directories(config);
  std::ofstream(config / "user-dirs.dirs") << "XDG_DESKTOP_DIR=\"" << (root / "Desk").string() << "\"\n";
  ScopedEnv configHome("XDG_CONFIG_HOME", config);
  ScopedEnv dataHome("XDG_DATA_HOME", root / "data");
  auto* yes = new YesAnswers;
  answers_.reset(yes);
  watcher_ = std::make_unique<ModalWatcher>([yes](QWidget* dialog) { return yes->handle(dialog); });

  QVERIFY(start());
  for (const char* name : {"mDeassociate", "mAssociate", "mAssociate", "mDeassociate", "mShortcutOnDesktop",
                           "mShortcutInPrograms"}) {
    form_->findChild<QAction*>(QLatin1String(name))->trigger();
  }
  QCOMPARE(yes->messages, (QStringList{
                              QStringLiteral("De-associate docx file?"),
                              QStringLiteral("Docx not registered, no need to de-associated."),
                              QStringLiteral("Set Vellumine as the default viewer of docx files?"),
                              QStringLiteral("Docx file associated successfully."),
                              QStringLiteral("Set Vellumine as the default viewer of docx files?"),
                              QStringLiteral("Docx file associated successfully."),
                              QStringLiteral("De-associate docx file?"),
                              QStringLiteral("De-associated successfully."),
                              QStringLiteral("shortcut created."),
                              QStringLiteral("shortcut created."),
                          }));
  QVERIFY(fs::exists(root / "Desk" / "Vellumine.desktop"));
  QVERIFY(fs::exists(root / "data" / "applications" / "Vellumine.desktop"));
}

int main(int argc, char** argv) {
  QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  QApplication app(argc, argv);
  SuiRecentTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "sui_recent_test.moc"
