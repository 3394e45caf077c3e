// The headless export as scripts use it: `vellumine --export-pdf IN.docx OUT.pdf`, run as a
// separate process, its exit status, its message on failure and the PDF poppler reads back.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

#include "app/docx_writer.h"
#include "pdf_support.h"
#include "ui_support.h"

namespace fs = std::filesystem;
using uitest::qs;

namespace {

struct Run {
  int status = -1;
  QString errors;
};

}  // namespace

class PdfExportTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase();
  void writesEveryPageWithItsText();
  void failures_data();
  void failures();

 private:
  Run exportPdf(const QStringList& arguments);

  QTemporaryDir dir_;
  fs::path docs_;
  fs::path cache_;
  fs::path twoPages_;
};

void PdfExportTest::initTestCase() {
  QVERIFY(dir_.isValid());
  const fs::path root = dir_.path().toStdString();
  docs_ = root / "docs";
  cache_ = root / "cache";
  fs::create_directories(docs_);
  std::vector<std::string> paragraphs;
  for (int i = 1; i <= 75; ++i) paragraphs.push_back("Line " + std::to_string(i) + " of the greengage report.");
  twoPages_ = docs_ / "Greengage.docx";
  vellumine::test::writeDocx(twoPages_, paragraphs);
}

// The test's environment (the browser's sandbox setting) is passed on; the package folders go to
// a cache folder of the test's own.
Run PdfExportTest::exportPdf(const QStringList& arguments) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("XDG_CACHE_HOME"), qs(cache_));
  environment.insert(QStringLiteral("XDG_STATE_HOME"), qs(cache_ / "state"));
  environment.remove(QStringLiteral("QT_QPA_PLATFORM"));  // the export needs no display of its own
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(VELLUMINE_EXECUTABLE), QStringList{QStringLiteral("--export-pdf")} + arguments);
  Run run;
  if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) return run;
  run.status = process.exitCode();
  run.errors = QString::fromUtf8(process.readAllStandardError());
  return run;
}

void PdfExportTest::writesEveryPageWithItsText() {
  if (!uitest::popplerToolsFound()) QSKIP("pdfinfo and pdftotext (poppler-utils) are not installed");
  const fs::path target = docs_ / "Greengage.pdf";
  const Run run = exportPdf({qs(twoPages_), qs(target)});
  QCOMPARE(run.status, 0);
  QCOMPARE(run.errors, QString());
  const uitest::PdfFacts pdf = uitest::readPdf(qs(target));
  QCOMPARE(pdf.pages, 2);
  QVERIFY(pdf.text.contains(QStringLiteral("Line 1 of the greengage report.")));
  QVERIFY(pdf.text.contains(QStringLiteral("Line 75 of the greengage report.")));
  // The package was unpacked below the cache folder and is gone again.
  QVERIFY(fs::is_directory(cache_ / "vellumine" / "tmp"));
  QVERIFY(fs::is_empty(cache_ / "vellumine" / "tmp"));
}

void PdfExportTest::failures_data() {
  QTest::addColumn<QString>("input");
  QTest::addColumn<QString>("output");
  QTest::addColumn<int>("status");
  QTest::addColumn<QString>("message");
  const QString docs = qs(docs_);
  QTest::newRow("missing document") << docs + "/Absent.docx" << docs + "/absent.pdf" << 1
                                    << "vellumine: " + docs + "/Absent.docx: File not found.\n";
  QTest::newRow("not an archive") << docs + "/Broken.docx" << docs + "/broken.pdf" << 1 << QString();
  QTest::newRow("output folder missing") << qs(twoPages_) << docs + "/no such folder/out.pdf" << 1
                                         << "vellumine: " + qs(twoPages_) + ": The PDF file " + docs +
                                                "/no such folder/out.pdf could not be written.\n";
  QTest::newRow("output missing") << qs(twoPages_) << QString() << 2
                                  << QStringLiteral("usage: vellumine --export-pdf IN.docx OUT.pdf\n");
}

void PdfExportTest::failures() {
  QFETCH(QString, input);
  QFETCH(QString, output);
  QFETCH(int, status);
  QFETCH(QString, message);
  QFile broken(qs(docs_ / "Broken.docx"));
  QVERIFY(broken.open(QIODevice::WriteOnly));
  broken.write("plain text, not an archive; long enough for the reader to look at it");
  broken.close();

  QStringList arguments{input};
  if (!output.isEmpty()) arguments << output;
  const Run run = exportPdf(arguments);
  QCOMPARE(run.status, status);
  if (message.isEmpty()) {
    QVERIFY(run.errors.startsWith(QStringLiteral("vellumine: ") + input + QStringLiteral(": ")));
  } else {
    QCOMPARE(run.errors, message);
  }
  if (!output.isEmpty()) QVERIFY(!QFile::exists(output));
}

QTEST_GUILESS_MAIN(PdfExportTest)

#include "pdfexport_test.moc"
