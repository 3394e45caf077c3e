// The one place where a failure of a window command ends: its message in a message box, and the
// event loop goes on.  Nothing thrown by a command reaches Qt.
#pragma once
#include <QString>
#include <functional>

class QAction;
class QKeySequence;
class QMenu;
class QWidget;

// The title of every message box of the viewer.
QString messageTitle();

// Runs command; an exception's message is shown in a message box over parent.
void runGuarded(QWidget* parent, const std::function<void()>& command);

// Adds an item to menu whose command runs through runGuarded over parent.
QAction* addGuardedCommand(QMenu* menu, QWidget* parent, const QString& objectName, const QString& caption,
                           const QKeySequence& shortcut, std::function<void()> command);

// An information box with an OK button; text is shown as written (plain_text.h), never as markup.
void showMessage(QWidget* parent, const QString& text);
