// Plain text in the window's own widgets: message boxes told their text is plain, window titles
// with Qt's "[*]" marker written doubled.  The status bar's cells are plain from their creation
// (statusbar.cpp).
#include "app/ui/plain_text.h"

QMessageBox::StandardButton askPlain(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                     const QString& text, QMessageBox::StandardButtons buttons,
                                     QMessageBox::StandardButton defaultButton) {
  QMessageBox box(icon, title, text, buttons, parent);
  box.setTextFormat(Qt::PlainText);
  if (defaultButton != QMessageBox::NoButton) box.setDefaultButton(defaultButton);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString literalWindowTitle(const QString& title) {
  QString literal = title;
  return literal.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
}

QString plainToolTip(const QString& text) {
  return QStringLiteral("<p style=\"white-space:pre-wrap\">") + text.toHtmlEscaped() + QStringLiteral("</p>");
}
