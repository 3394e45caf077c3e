// Zoom of a browser view: the ladder of zoom levels the View menu steps through, and ViewZoom,
// which keeps one level for a view across page loads and lets Ctrl+wheel step it.
#pragma once
#include "app/ui/treefilter.h"

class QWebEngineView;
class QWidget;

// 25 % to 500 % in the steps browsers use.
inline constexpr double kMinimumZoom = 0.25;
inline constexpr double kMaximumZoom = 5.0;
inline constexpr double kActualSize = 1.0;

// The next level above / below factor; the end of the ladder stays where it is.  A factor
// between two levels goes to the neighbouring level in that direction.
double zoomInFrom(double factor);
double zoomOutFrom(double factor);

class ViewZoom : public WidgetTreeFilter {
  Q_OBJECT

 public:
  // Follows view: the level is applied again to each page it loads, and Ctrl+wheel over the view
  // (or any widget that the view adds inside itself) steps the level.
  explicit ViewZoom(QWebEngineView* view);

  double factor() const { return factor_; }
  void zoomIn() { setFactor(zoomInFrom(factor_)); }
  void zoomOut() { setFactor(zoomOutFrom(factor_)); }
  void actualSize() { setFactor(kActualSize); }
  void setFactor(double factor);

 Q_SIGNALS:
  void factorChanged(double factor);

 protected:
  bool filterEvent(QObject* watched, QEvent* event) override;

 private:
  void wheel(int angleDelta);

  QWebEngineView* view_;
  double factor_ = kActualSize;
  int pendingWheel_ = 0;  // eighths of a degree not yet turned into a step (smooth wheels)
};
