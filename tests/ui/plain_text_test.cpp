// Text from a document or a file name in the window's own widgets: the status bar, the title bar
// and the message boxes show markup as written and never draw it (no colours, pictures or links
// that a document chose, no local image loaded).
#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QTest>
#include <QWindow>
#include <filesystem>

#include "app/docx_writer.h"
#include "app/ui/statusbar.h"
#include "app/ui/sui.h"
#include "ui_support.h"
#include "window_fixture.h"

namespace fs = std::filesystem;
using uitest::DialogAnswers;
using uitest::ModalWatcher;
using uitest::qs;

namespace {

// Stands for the path of a red picture on the disk in the rows below.
constexpr char kImage[] = "@IMAGE@";

int redPixels(const QImage& image) {
  int red = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      if (qRed(pixel) > 160 && qGreen(pixel) < 90 && qBlue(pixel) < 90) ++red;
    }
  }
  return red;
}

// What gives away a label that read its text as markup: the tags take no room (so it is narrower
// than the text written out), a picture makes it taller, a colour shows.  Empty when none does.
QString drawnOtherwiseThanWritten(QLabel* label) {
  const QString text = label->text();
  const QSize hint = label->sizeHint();
  const QFontMetrics metrics = label->fontMetrics();
  if (hint.width() < metrics.horizontalAdvance(text) * 9 / 10) return QStringLiteral("narrower than ") + text;
  if (hint.height() > 3 * metrics.height()) return QStringLiteral("taller than a line: ") + text;
  if (redPixels(label->grab().toImage()) > 0) return QStringLiteral("red pixels: ") + text;
  return {};
}

}  // namespace

class PlainTextTest : public QObject, uitest::WindowFixture {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase();
  void documentTextIsShownAsWritten_data();
  void documentTextIsShownAsWritten();
  void messagesQuoteNamesAsWritten_data();
  void messagesQuoteNamesAsWritten();
  void cleanup();

 private:
  void dropOnto(QWidget* target, const fs::path& file);

  QByteArray image_;
  fs::path sample_;
};

void PlainTextTest::initTestCase() {
  QVERIFY(makeSandbox());
  QImage red(300, 300, QImage::Format_RGB32);
  red.fill(Qt::red);
  const fs::path image = docs_ / "red.png";
  QVERIFY(red.save(qs(image)));
  image_ = QByteArray::fromStdString(image.string());
  sample_ = docs_ / "sample.docx";
  vellumine::test::writeDocx(sample_, {"Body text."});
}

void PlainTextTest::cleanup() { closeWindow(); }

void PlainTextTest::documentTextIsShownAsWritten_data() {
  QTest::addColumn<QString>("fileName");
  QTest::addColumn<QByteArray>("title");
  QTest::addColumn<QByteArray>("author");
  QTest::newRow("markup that draws a notice and a link")
      << QStringLiteral("notice.docx")
      << QByteArray("<b><font color=\"#ff0000\">SECURITY NOTICE</font></b> <a href=\"https://evil.example/\">Renew</a>")
      << QByteArray("<font color=red><b>IT Support</b></font>");
  QTest::newRow("an image from the disk")
      << QStringLiteral("image.docx") << QByteArray("<img src=\"@IMAGE@\" width=\"300\" height=\"300\">")
      << QByteArray("<img src=\"@IMAGE@\">");
  QTest::newRow("character references") << QStringLiteral("references.docx")
                                        << QByteArray("&lt;b&gt;Bold&lt;/b&gt; &amp; &#82;&#101;&#100;")
                                        << QByteArray("&lt;i&gt;Ann&lt;/i&gt;");
  QTest::newRow("markup and the title marker in the file name")
      << QStringLiteral("Notes [*] <b>draft &amp; <img src=x> [*][*].docx") << QByteArray("Title") << QByteArray("Author");
}

void PlainTextTest::documentTextIsShownAsWritten() {
  QFETCH(QString, fileName);
  QFETCH(QByteArray, title);
  QFETCH(QByteArray, author);
  title.replace(kImage, image_);
  author.replace(kImage, image_);
  const fs::path document = docs_ / fileName.toStdString();
  vellumine::test::writeDocx(document, {"Body text."},
                             {{"docProps/core.xml", vellumine::test::coreXml(title.toStdString(), author.toStdString(),
                                                                            "2020-01-02T03:04:05Z")}});
  QVERIFY(start(document));
  waitForDocumentPage();

  DocumentStatusBar* bar = form_->documentStatusBar();
  QCOMPARE(bar->titleText(), QStringLiteral(" Title: ") + QString::fromUtf8(title));
  QCOMPARE(bar->authorText(), QStringLiteral(" Author: ") + QString::fromUtf8(author));
  for (QLabel* cell : bar->findChildren<QLabel*>()) {
    const QString wrong = drawnOtherwiseThanWritten(cell);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
  }
  // What the desktop shows above the window, after Qt's reading of "[*]".
  QCOMPARE(form_->windowHandle()->title(), QStringLiteral("Vellumine - ") + qs(document));
}

void PlainTextTest::dropOnto(QWidget* target, const fs::path& file) {
  QFile written(qs(file));
  QVERIFY(written.open(QIODevice::WriteOnly));
  written.write("not a document\n");
  written.close();
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(qs(file))});
  const QPoint at = target->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &dropped);
  QVERIFY(dropped.isAccepted());
}

void PlainTextTest::messagesQuoteNamesAsWritten_data() {
  QTest::addColumn<bool>("save");  // saved with F10, else dropped onto the window
  QTest::addColumn<QString>("fileName");   // without '/', which would make it a path
  QTest::newRow("a page saved under a name in markup") << true << QStringLiteral("<b>Saved <font color=red>&lt;page&gt;.htm");
  QTest::newRow("a dropped file named in markup") << false << QStringLiteral("<i>notes &amp; <img src=x>.txt");
}

void PlainTextTest::messagesQuoteNamesAsWritten() {
  QFETCH(bool, save);
  QFETCH(QString, fileName);
  QVERIFY(start(sample_));
  waitForDocumentPage();
  DialogAnswers answers;
  ModalWatcher watcher([&](QWidget* dialog) { return answers.handle(dialog); });
  const fs::path file = docs_ / fileName.toStdString();
  if (save) {
    answers.fileToChoose = qs(file);
    press(Qt::Key_F10);
  } else {
    dropOnto(form_.get(), file);
  }
  QTRY_COMPARE_WITH_TIMEOUT(answers.messages.size(), 1, uitest::kLoadTimeout);
  QVERIFY2(answers.messages.front().contains(fileName), qPrintable(answers.messages.front()));
  QVERIFY2(answers.markupMessages.isEmpty(), qPrintable(answers.markupMessages.join(u'\n')));
}

int main(int argc, char** argv) {
  QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  QApplication app(argc, argv);
  PlainTextTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "plain_text_test.moc"
