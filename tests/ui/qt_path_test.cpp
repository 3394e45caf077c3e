// The path conversions of the Qt layer: a name outside ASCII both ways, and the URL the view is
// sent to for a relative path.
#include <QDir>
#include <QTest>

#include "app/ui/qt_path.h"

namespace fs = std::filesystem;

class QtPathTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void nameOutsideAsciiRoundTrips();
  void relativePathBecomesAnAbsoluteFileUrl();
};

void QtPathTest::nameOutsideAsciiRoundTrips() {
  const fs::path path("/tmp/\xd0\x9f\xd1\x80\xd0\xb8\xd0\xbc\xd0\xb5\xd1\x80 & co.docx");  // "Пример & co.docx"
  QCOMPARE(toQString(path), QStringLiteral("/tmp/\u041f\u0440\u0438\u043c\u0435\u0440 & co.docx"));
  QCOMPARE(toPath(toQString(path)), path);
}

void QtPathTest::relativePathBecomesAnAbsoluteFileUrl() {
  const QUrl url = localFileUrl(fs::path("docs") / "word" / "doc.html");
  QVERIFY(url.isLocalFile());
  QCOMPARE(url.toLocalFile(), QDir::currentPath() + QStringLiteral("/docs/word/doc.html"));
}

QTEST_APPLESS_MAIN(QtPathTest)

#include "qt_path_test.moc"
