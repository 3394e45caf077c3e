// vellumine: the viewer.  The first command-line argument, when given, is the document to open.
#include <QApplication>
#include <QFile>
#include <QLocale>
#include <clocale>

#include "app/program_folders.h"
#include "app/ui/sui.h"

int main(int argc, char** argv) {
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
