// The window's place: the first-start rectangle and the check that a remembered place is still on
// a screen.  Every sum is done in 64 bits: a damaged place file may hold any int.
#include "app/window_place.h"

#include <algorithm>
#include <cstdint>

namespace vellumine {

namespace {

constexpr ScreenRect kScreenWithoutScreens{0, 0, 1024, 768};

// Two thirds of length, raised to floor where length allows.
int twoThirdsAtLeast(int length, int floor) { return std::max(length * 2 / 3, std::min(floor, length)); }

bool contains(const ScreenRect& screen, std::int64_t x, std::int64_t y) {
  return x >= screen.x && y >= screen.y && x < std::int64_t{screen.x} + screen.width &&
         y < std::int64_t{screen.y} + screen.height;
}

// The screen holding the centre of rect, if any.
const ScreenRect* screenUnder(const std::vector<ScreenRect>& screens, const ScreenRect& rect) {
  const std::int64_t centreX = std::int64_t{rect.x} + rect.width / 2;
  const std::int64_t centreY = std::int64_t{rect.y} + rect.height / 2;
  for (const ScreenRect& screen : screens) {
    if (contains(screen, centreX, centreY)) return &screen;
  }
  return nullptr;
}

// start and length of a window side moved and shrunk into [screenStart, screenStart + screenLength).
void fitSide(int& start, int& length, int screenStart, int screenLength, int smallest) {
  length = std::clamp(length, std::min(smallest, screenLength), screenLength);
  const std::int64_t lastStart = std::int64_t{screenStart} + screenLength - length;
  start = static_cast<int>(std::clamp<std::int64_t>(start, screenStart, lastStart));
}

ScreenRect fitInto(const ScreenRect& screen, ScreenRect rect) {
  fitSide(rect.x, rect.width, screen.x, screen.width, kSmallestWindowWidth);
  fitSide(rect.y, rect.height, screen.y, screen.height, kSmallestWindowHeight);
  return rect;
}

}  // namespace

ScreenRect firstWindowRect(const ScreenRect& available) {
  ScreenRect rect;
  rect.width = twoThirdsAtLeast(available.width, kPageFitWidth);
  rect.height = twoThirdsAtLeast(available.height, kFirstMinimumHeight);
  rect.x = available.x + (available.width - rect.width) / 2;
  rect.y = available.y + (available.height - rect.height) / 2;
  return rect;
}

WindowPlace chooseWindowPlace(const std::vector<ScreenRect>& screens, std::size_t primary,
                              const std::optional<WindowPlace>& saved) {
  const ScreenRect& primaryScreen = primary < screens.size() ? screens[primary] : kScreenWithoutScreens;
  WindowPlace place;
  place.normal = firstWindowRect(primaryScreen);
  if (!saved) return place;
  place.maximised = saved->maximised;
  place.fullScreen = saved->fullScreen;
  if (const ScreenRect* screen = screenUnder(screens, saved->normal)) place.normal = fitInto(*screen, saved->normal);
  return place;
}

}  // namespace vellumine
