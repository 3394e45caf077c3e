// vellumine: the viewer.  The first command-line argument, when given, is the document to open.
// `vellumine --export-pdf IN.docx OUT.pdf` writes the document's page as a PDF without a window.
#include <QApplication>
#include <QFile>
#include <QLocale>
#include <clocale>
#include <cstdio>
#include <cstring>

#include "app/program_folders.h"
#include "app/ui/pdfexport.h"
#include "app/ui/sui.h"
#include "text/heap_tuning.h"

namespace {

constexpr char kExportPdfOption[] = "--export-pdf";

// Scripts read standard error for the one line that says why an export failed; the browser's
// notes about graphics on a platform without a display would bury it.  Errors still pass.
void keepOnlyQtErrors(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
  }
}

bool isExportPdf(int argc, char** argv) { return argc > 1 && std::strcmp(argv[1], kExportPdfOption) == 0; }

int runExportPdf(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("usage: vellumine --export-pdf IN.docx OUT.pdf\n", stderr);
    return 2;
  }
  // No window is shown, so no display is needed, whatever the session (or its lack) offers.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(keepOnlyQtErrors);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("vellumine"));
  std::setlocale(LC_NUMERIC, "C");  // as below
  QLocale::setDefault(QLocale::c());
  const QStringList arguments = QApplication::arguments();
  return exportPdfHeadless(QFile::encodeName(arguments.at(2)).toStdString(),
                           QFile::encodeName(arguments.at(3)).toStdString());
}

}  // namespace

int main(int argc, char** argv) {
  vellumine::KeepLargeTextsInHeap();
  if (isExportPdf(argc, argv)) return runExportPdf(argc, argv);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("vellumine"));
  // Qt has set the C library's locale from the environment; numbers keep a "." whatever it says.
  std::setlocale(LC_NUMERIC, "C");
  QLocale::setDefault(QLocale::c());

  std::filesystem::path document;
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) document = QFile::encodeName(arguments.at(1)).toStdString();

  TForm1 form(vellumine::locateProgramFolders(vellumine::executableFolder()), document);
  form.showMaximized();
  return QApplication::exec();
}
