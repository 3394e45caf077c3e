// Qt's side of the window place: the screens' available areas as plain rectangles, and the
// window's geometry and state to and from a WindowPlace.
#include "app/ui/window_placer.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <vector>

#include "app/window_place_file.h"

namespace {

vellumine::ScreenRect toScreenRect(const QRect& rect) { return {rect.x(), rect.y(), rect.width(), rect.height()}; }

QRect toQRect(const vellumine::ScreenRect& rect) { return QRect(rect.x, rect.y, rect.width, rect.height); }

}  // namespace

vellumine::WindowPlace placeForNewWindow(const std::filesystem::path& file) {
  std::vector<vellumine::ScreenRect> screens;
  std::size_t primary = 0;
  const QList<QScreen*> all = QGuiApplication::screens();
  for (QScreen* screen : all) {
    if (screen == QGuiApplication::primaryScreen()) primary = screens.size();
    screens.push_back(toScreenRect(screen->availableGeometry()));
  }
  return vellumine::chooseWindowPlace(screens, primary, vellumine::readWindowPlace(file));
}

void applyNormalGeometry(QWidget* window, const vellumine::WindowPlace& place) {
  window->setGeometry(toQRect(place.normal));
}

void showInPlace(QWidget* window, const vellumine::WindowPlace& place) {
  if (place.fullScreen) {
    // Leaving full screen goes back to maximised when the window was maximised before.
    window->setWindowState(place.maximised ? Qt::WindowMaximized | Qt::WindowFullScreen : Qt::WindowFullScreen);
    window->show();
  } else if (place.maximised) {
    window->showMaximized();
  } else {
    window->show();
  }
}

vellumine::WindowPlace currentPlace(const QWidget* window) {
  vellumine::WindowPlace place;
  const Qt::WindowStates state = window->windowState();
  place.maximised = state.testFlag(Qt::WindowMaximized);
  place.fullScreen = state.testFlag(Qt::WindowFullScreen);
  const bool normal = !place.maximised && !place.fullScreen;
  place.normal = toScreenRect(normal ? window->geometry() : window->normalGeometry());
  return place;
}
