// WindowFixture: the main window under test, started as main() starts it, in a sandbox of its own.
// The window tests derive from it (after QObject) and use its members as their own.
#pragma once
#include <QString>
#include <QTemporaryDir>
#include <Qt>
#include <filesystem>
#include <memory>

#include "app/program_folders.h"
#include "app/ui/sui.h"
#include "ui_support.h"

class QAction;

namespace uitest {

class WindowFixture {
 protected:
  // Makes the sandbox: docs_ for the test's documents, the window's folders below the temporary
  // folder (see sandboxFolders).  False when the temporary folder could not be made.
  bool makeSandbox();
  // Closes the window (it writes its recent list, reading places and place) and removes those
  // files, so that each test starts with an empty list, no places and a first window.
  void closeWindow();

  // Starts the window with an optional command-line document and waits until it is active (no
  // window manager activates it) and its first show has run (the recent items exist).  Null when
  // either did not happen in time.
  TForm1* start(const std::filesystem::path& document = {});
  // Waits until the view has finished the page of the document loaded last.
  void waitForDocumentPage();
  // Dialogs take the activation with them; shortcuts only reach an active window.
  void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  QAction* action(const char* name) const;
  QString pagesSeen() const;

  QTemporaryDir dir_;
  std::filesystem::path docs_;
  vellumine::ProgramFolders folders_;
  std::unique_ptr<TForm1> form_;
  std::unique_ptr<PageLoads> loads_;
};

}  // namespace uitest
