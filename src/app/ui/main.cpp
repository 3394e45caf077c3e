// vellumine: the viewer.  The first command-line argument, when given, is the document to open.
// `vellumine --export-pdf IN.docx OUT.pdf` writes the document's page as a PDF without a window;
// `--help` and `--version` answer before Qt starts, so they need no display.
#include <QApplication>
#include <QLocale>
#include <clocale>
#include <cstdio>
#include <cstring>

#include "app/program_folders.h"
#include "app/ui/pdfexport.h"
#include "app/ui/qt_path.h"
#include "app/ui/sui.h"
#include "app/version.h"
#include "text/heap_tuning.h"

namespace {

constexpr char kExportPdfOption[] = "--export-pdf";

constexpr char kHelp[] =
    "Usage: vellumine [DOCUMENT.docx]\n"
    "       vellumine --export-pdf IN.docx OUT.pdf\n"
    "\n"
    "Opens DOCUMENT (a Word .docx) in the Vellumine viewer, or the start page without one.\n"
    "\n"
    "Options (only as the first argument; a document called like one is ./NAME):\n"
    "  --export-pdf IN OUT  write the page of IN as a PDF to OUT without a window or a display\n"
    "  --help               show this text\n"
    "  --version            show the program's name and version\n"
    "Qt's own options (-platform NAME, -style NAME, ...) are accepted too.\n"
    "\n"
    "Exit status of --export-pdf: 0 the PDF is written, 1 it failed, 2 a usage error.\n";

// --help or --version as the first argument: the text, and true.
bool answerInformationOption(int argc, char** argv) {
  if (argc < 2) return false;
  if (std::strcmp(argv[1], "--help") == 0) {
    std::fputs(kHelp, stdout);
    return true;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    std::printf("vellumine %.*s\n", static_cast<int>(vellumine::kProductVersion.size()),
                vellumine::kProductVersion.data());
    return true;
  }
  return false;
}

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
  return exportPdfHeadless(toPath(arguments.at(2)), toPath(arguments.at(3)));
}

// Before the application object exists, or Qt ignores it.  At 125 % or 150 % a rounded factor
// would draw the window at 100 % or 200 %: too small or too large, and blurred when the
// compositor scales it back.  The platform is left to Qt (Wayland natively, else X11); the
// user's QT_QPA_PLATFORM, when set, is respected.
void setHighDpiScaling() {
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
}

}  // namespace

int main(int argc, char** argv) {
  if (answerInformationOption(argc, argv)) return 0;
  vellumine::KeepLargeTextsInHeap();
  if (isExportPdf(argc, argv)) return runExportPdf(argc, argv);
  setHighDpiScaling();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("vellumine"));
  // Wayland compositors and X11 desktops match the window to its menu entry (icon, name) by this.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.vellumine.Vellumine"));
  // Qt has set the C library's locale from the environment; numbers keep a "." whatever it says.
  std::setlocale(LC_NUMERIC, "C");
  QLocale::setDefault(QLocale::c());

  std::filesystem::path document;
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) document = toPath(arguments.at(1));

  TForm1 form(vellumine::locateProgramFolders(vellumine::executableFolder()), document);
  form.showInPlace();
  return QApplication::exec();
}
