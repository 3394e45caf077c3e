// Command guard: std::exception messages (and anything else, as a generic text) into a modal
// message box, so no exception ever unwinds through Qt's event loop.
#include "app/ui/guarded.h"

#include <QMessageBox>
#include <exception>

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
  QMessageBox::critical(parent, messageTitle(), failure);
}

void showMessage(QWidget* parent, const QString& text) {
  QMessageBox::information(parent, messageTitle(), text);
}
