// Helpers of the window tests: file and path shorthands, a watcher that answers modal dialogs as they open, page-load
// waiting, script queries in the application's world, and a dark-pixel count of a grab.
#pragma once
#include <QImage>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <QVariant>
#include <filesystem>
#include <functional>
#include <string>

#include "app/program_folders.h"

class QWebEngineView;
class QWidget;

namespace uitest {

// How long a test waits for a document page to load (ms): generous for a loaded machine.
constexpr int kLoadTimeout = 30000;

// Every byte of a file ("" when it cannot be read).
std::string readFile(const std::filesystem::path& file);
// A path as Qt's file functions take it.
QString qs(const std::filesystem::path& path);

// The window's folders for a test below root: the built resources, a package folder below
// root/cache/vellumine/tmp, the recent list root/state/vellumine/rec.lst and the window place
// root/state/vellumine/window.ini.
vellumine::ProgramFolders sandboxFolders(const std::filesystem::path& root);

// Polls for the active modal widget while a command runs its dialog and hands it to the handler,
// which closes it and returns true, or returns false to be asked again on the next poll.
class ModalWatcher : public QObject {
 public:
  using Handler = std::function<bool(QWidget* dialog)>;
  explicit ModalWatcher(Handler handler);
  ~ModalWatcher() override;
  // Class name (or object name when set) of every dialog handled, in order.
  const QStringList& seen() const { return seen_; }

 private:
  void poll();
  Handler handler_;
  QTimer timer_;
  QStringList seen_;
};

// Closes file dialogs (rejecting them, or choosing fileToChoose), message boxes and any other
// dialog; records message-box texts, and apart those a box would draw as markup.
struct DialogAnswers {
  QString fileToChoose;
  QStringList messages;
  QStringList markupMessages;
  QStringList fileFilters;
  bool handle(QWidget* dialog);
};

// Records the URL of every page the view finishes loading.
class PageLoads : public QObject {
 public:
  explicit PageLoads(QWebEngineView* view);
  bool finished(const QUrl& url) const { return urls_.contains(url); }
  // What the view did, for a failure message: each load started and finished, with its URL.
  const QStringList& events() const { return events_; }

 private:
  QList<QUrl> urls_;
  QStringList events_;
};

// Runs script in the application's world of the view's page and waits for its result.
QVariant evaluate(QWebEngineView* view, const QString& script);

// Pixels darker than mid-grey: zero for a blank page, hundreds for a line of text.
int darkPixels(const QImage& image);

}  // namespace uitest
