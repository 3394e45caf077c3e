// Zoom levels for the document view: the step ladder, the level kept across page loads (the
// browser starts every page at its own default), and Ctrl+wheel turned into ladder steps instead
// of reaching the page, which would scroll it.
#include "app/ui/zoom.h"

#include <QWebEngineView>
#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr std::array<double, 17> kZoomLevels = {0.25, 0.33, 0.5, 0.67, 0.75, 0.8, 0.9,  1.0, 1.1,
                                                1.25, 1.5,  1.75, 2.0, 2.5,  3.0, 4.0, 5.0};
constexpr double kSameLevel = 0.005;  // the browser rounds a factor it is given
constexpr int kWheelNotch = 120;       // eighths of a degree in one notch of a wheel

}  // namespace

double zoomInFrom(double factor) {
  for (double level : kZoomLevels) {
    if (level > factor + kSameLevel) return level;
  }
  return kZoomLevels.back();
}

double zoomOutFrom(double factor) {
  for (auto level = kZoomLevels.rbegin(); level != kZoomLevels.rend(); ++level) {
    if (*level < factor - kSameLevel) return *level;
  }
  return kZoomLevels.front();
}

ViewZoom::ViewZoom(QWebEngineView* view) : WidgetTreeFilter(view), view_(view) {
  connect(view_, &QWebEngineView::loadFinished, this, [this] {
    if (std::abs(view_->zoomFactor() - factor_) > kSameLevel / 2) view_->setZoomFactor(factor_);
  });
  watch(view_);
}

void ViewZoom::setFactor(double factor) {
  factor = std::clamp(factor, kMinimumZoom, kMaximumZoom);
  view_->setZoomFactor(factor);
  if (factor == factor_) return;
  factor_ = factor;
  Q_EMIT factorChanged(factor_);
}

// Over the view and the widgets the browser renders into.
bool ViewZoom::filterEvent(QObject*, QEvent* event) {
  if (event->type() != QEvent::Wheel) return false;
  auto* wheelEvent = static_cast<QWheelEvent*>(event);
  if (!(wheelEvent->modifiers() & Qt::ControlModifier)) return false;
  wheel(wheelEvent->angleDelta().y());
  wheelEvent->accept();
  return true;  // the page would scroll instead
}

// One level per notch; smooth wheels send fractions of a notch, which add up.
void ViewZoom::wheel(int angleDelta) {
  if ((pendingWheel_ > 0) != (angleDelta > 0)) pendingWheel_ = 0;  // turned the other way
  pendingWheel_ += angleDelta;
  while (pendingWheel_ >= kWheelNotch) {
    zoomIn();
    pendingWheel_ -= kWheelNotch;
  }
  while (pendingWheel_ <= -kWheelNotch) {
    zoomOut();
    pendingWheel_ += kWheelNotch;
  }
}
