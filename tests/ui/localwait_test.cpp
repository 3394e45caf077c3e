// LocalWait: the ways a wait ends.  A wait that never ends would hang the test; ctest's TIMEOUT
// stops it.
#include <QCoreApplication>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <optional>

#include "app/ui/localwait.h"

using namespace std::chrono_literals;

namespace {

constexpr int kBeforeTheWait = -1;  // finish() is called before wait()
constexpr int kNever = -2;

}  // namespace

class LocalWaitTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void endings_data();
  void endings();
};

void LocalWaitTest::endings_data() {
  QTest::addColumn<int>("finishAfterMs");
  QTest::addColumn<int>("limitMs");  // 0: no limit
  QTest::addColumn<bool>("inTime");
  QTest::newRow("finished during the wait") << 10 << 0 << true;
  QTest::newRow("finished within the limit") << 10 << 60000 << true;
  QTest::newRow("finished before the wait") << kBeforeTheWait << 0 << true;
  QTest::newRow("the limit comes first") << kNever << 20 << false;
}

void LocalWaitTest::endings() {
  QFETCH(int, finishAfterMs);
  QFETCH(int, limitMs);
  QFETCH(bool, inTime);
  LocalWait wait;
  if (finishAfterMs == kBeforeTheWait) wait.finish();
  if (finishAfterMs >= 0) QTimer::singleShot(finishAfterMs, &wait, [&wait] { wait.finish(); });
  std::optional<std::chrono::milliseconds> limit;
  if (limitMs > 0) limit = std::chrono::milliseconds(limitMs);
  QCOMPARE(wait.wait(limit), inTime);
}

QTEST_GUILESS_MAIN(LocalWaitTest)

#include "localwait_test.moc"
