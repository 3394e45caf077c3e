// LocalWait: the wait of a command that hands work to the browser and needs its answer before it
// goes on (printing, a PDF, the page of a headless export).  A local event loop runs meanwhile, so
// the browser can work and the window repaints, but user input is held back until the wait is
// over: a key or a click cannot start a second command inside the first.
#pragma once
#include <QEventLoop>
#include <QObject>
#include <chrono>
#include <optional>

class LocalWait : public QObject {
 public:
  // Ends the wait.  Called before wait(), wait() returns at once.  Connect the signal that says
  // "done" to a slot that calls it, with this object as the context, so that the connection ends
  // with the wait.
  void finish();

  // Runs the local loop until finish() is called or, with a limit, until the limit has passed.
  // False when the limit came first.
  bool wait(std::optional<std::chrono::milliseconds> limit = std::nullopt);

 private:
  QEventLoop loop_;
  bool finished_ = false;
};
