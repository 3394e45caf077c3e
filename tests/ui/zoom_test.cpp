// The zoom ladder, and Ctrl+wheel over a browser view stepping it (a plain wheel still scrolls).
#include <QApplication>
#include <QTest>
#include <QWheelEvent>

#include "app/ui/HTMLView.h"
#include "app/ui/zoom.h"

class ZoomTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void stepsFollowTheLadder_data();
  void stepsFollowTheLadder();
  void ctrlWheelStepsOneLevelPerNotch();
  void plainWheelLeavesTheZoom();
  void factorIsKeptWithinTheLadder();

 private:
  // A view on screen, as the browser creates the widget it renders into only then.
  void showView();
  void wheel(int angleDelta, Qt::KeyboardModifiers modifiers);

  std::unique_ptr<THTMLView> view_;
};

void ZoomTest::stepsFollowTheLadder_data() {
  QTest::addColumn<double>("from");
  QTest::addColumn<double>("in");
  QTest::addColumn<double>("out");
  QTest::newRow("actual size") << 1.0 << 1.1 << 0.9;
  QTest::newRow("smallest stays") << 0.25 << 0.33 << 0.25;
  QTest::newRow("largest stays") << 5.0 << 5.0 << 4.0;
  QTest::newRow("between levels") << 1.05 << 1.1 << 1.0;
  QTest::newRow("as the browser rounds it") << 1.2499 << 1.5 << 1.1;
  QTest::newRow("below the ladder") << 0.1 << 0.25 << 0.25;
  QTest::newRow("above the ladder") << 7.0 << 5.0 << 5.0;
}

void ZoomTest::stepsFollowTheLadder() {
  QFETCH(double, from);
  QFETCH(double, in);
  QFETCH(double, out);
  QCOMPARE(zoomInFrom(from), in);
  QCOMPARE(zoomOutFrom(from), out);
}

void ZoomTest::showView() {
  view_ = std::make_unique<THTMLView>();
  view_->resize(400, 300);
  view_->setHtml(QStringLiteral("<p>Wheel me.</p>"));
  view_->show();
  QVERIFY(QTest::qWaitForWindowExposed(view_.get()));
  QTRY_VERIFY(view_->focusProxy() != nullptr);
}

void ZoomTest::wheel(int angleDelta, Qt::KeyboardModifiers modifiers) {
  QWidget* target = view_->focusProxy();
  const QPointF at = QRectF(target->rect()).center();
  QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, angleDelta), Qt::NoButton, modifiers,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(target, &event);
}

void ZoomTest::ctrlWheelStepsOneLevelPerNotch() {
  showView();
  ViewZoom zoom(view_.get());
  wheel(120, Qt::ControlModifier);
  QCOMPARE(zoom.factor(), 1.1);
  // A smooth wheel sends parts of a notch; two halves make one step.
  wheel(60, Qt::ControlModifier);
  QCOMPARE(zoom.factor(), 1.1);
  wheel(60, Qt::ControlModifier);
  QCOMPARE(zoom.factor(), 1.25);
  wheel(-240, Qt::ControlModifier);
  QCOMPARE(zoom.factor(), 1.0);
  QTRY_COMPARE(view_->zoomFactor(), 1.0);
}

void ZoomTest::plainWheelLeavesTheZoom() {
  showView();
  ViewZoom zoom(view_.get());
  wheel(120, Qt::NoModifier);
  wheel(120, Qt::ShiftModifier);
  QCOMPARE(zoom.factor(), 1.0);
  QCOMPARE(view_->zoomFactor(), 1.0);
}

void ZoomTest::factorIsKeptWithinTheLadder() {
  showView();
  ViewZoom zoom(view_.get());
  zoom.setFactor(9.0);
  QCOMPARE(zoom.factor(), kMaximumZoom);
  zoom.setFactor(0.01);
  QCOMPARE(zoom.factor(), kMinimumZoom);
  QCOMPARE(view_->zoomFactor(), kMinimumZoom);
}

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ZoomTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "zoom_test.moc"
