// Command guard: std::exception messages (and anything else, as a generic text) into a modal
// message box, so no exception ever unwinds through Qt's event loop.
#include "app/ui/guarded.h"

#include <QAction>
#include <QMenu>
#include <exception>

#include "app/ui/plain_text.h"

QString messageTitle() { return QStringLiteral(" Vellumine"); }

void runGuarded(QWidget* parent, const std::function<void()>& command) {
  QString failure;
  try {
    command();
    return;
  } catch (const std::exception& e) {
    failure = QString::fromUtf8(e.what());
  } catch (...) {
    failure = QStringLiteral("An unknown error occurred.");
  }
  askPlain(parent, QMessageBox::Critical, messageTitle(), failure);
}

QAction* addGuardedCommand(QMenu* menu, QWidget* parent, const QString& objectName, const QString& caption,
                           const QKeySequence& shortcut, std::function<void()> command) {
  QAction* item = menu->addAction(caption);
  item->setObjectName(objectName);
  item->setShortcut(shortcut);
  QObject::connect(item, &QAction::triggered, parent,
                   [parent, command = std::move(command)] { runGuarded(parent, command); });
  return item;
}

void showMessage(QWidget* parent, const QString& text) {
  askPlain(parent, QMessageBox::Information, messageTitle(), text);
}
