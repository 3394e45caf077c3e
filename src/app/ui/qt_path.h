// Paths between the core and Qt.  The core keeps a path as the bytes the file system uses; Qt
// takes file names as text, decoded and encoded as QFile does it for the system (UTF-8 here).
#pragma once
#include <QString>
#include <QUrl>
#include <filesystem>

// A path as Qt shows it and as its file functions take it.
QString toQString(const std::filesystem::path& path);

// A file name from Qt (a dialog, a drop, the command line) as the core takes it.
std::filesystem::path toPath(const QString& file);

// The file: URL of file made absolute, as the browser view is sent to it (file as it stands
// when it cannot be made absolute).
QUrl localFileUrl(const std::filesystem::path& file);
