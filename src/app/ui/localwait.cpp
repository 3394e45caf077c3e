// The local loop of LocalWait, with a single-shot timer for the limit.
#include "app/ui/localwait.h"

#include <QTimer>

void LocalWait::finish() {
  finished_ = true;
  loop_.quit();
}

bool LocalWait::wait(std::optional<std::chrono::milliseconds> limit) {
  if (finished_) return true;
  bool inTime = true;
  QTimer timer;
  if (limit) {
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop_, [&] {
      inTime = false;
      loop_.quit();
    });
    timer.start(*limit);
  }
  loop_.exec(QEventLoop::ExcludeUserInputEvents);
  return inTime;
}
