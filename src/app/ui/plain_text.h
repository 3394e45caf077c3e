// Text the window shows from a document or the file system (titles, authors, file and entry
// names, link targets, messages that quote them) is shown as written: Qt reads a label's or a
// message box's text as markup when it looks like markup, and a window title's "[*]" as a marker.
#pragma once
#include <QMessageBox>
#include <QString>

// A modal message box whose text is plain text; the button chosen, as QMessageBox::exec gives it.
QMessageBox::StandardButton askPlain(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                     const QString& text, QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                     QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// title for QWidget::setWindowTitle so that every "[*]" in it stays (Qt takes a single one for
// the unsaved-changes marker and shows "[*][*]" as one).
QString literalWindowTitle(const QString& title);

// text as a tool tip that shows it as written: Qt takes a tool tip for markup when it looks like
// markup and for plain text otherwise, so "&lt;" alone would show as escaped; this one is always
// markup, with text escaped in it and its line breaks kept.
QString plainToolTip(const QString& text);
