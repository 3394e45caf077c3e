// Where the main window opens: on a first start a window of about two thirds of the screen,
// wide enough for a page, centred; later the place the user left it in, while that place is
// still on one of the screens.  Plain rectangles in the screens' device-independent pixels, so
// the rules are tested without a display; the window turns Qt's screens into these.
#pragma once
#include <cstddef>
#include <optional>
#include <vector>

namespace vellumine {

struct ScreenRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const ScreenRect&) const = default;
};

struct WindowPlace {
  ScreenRect normal;  // the window's geometry when it is neither maximised nor full screen
  bool maximised = false;
  bool fullScreen = false;
  bool operator==(const WindowPlace&) const = default;
};

// A page of Word's default width (A4 or Letter at 100 %) with the view's margins and scroll bar.
inline constexpr int kPageFitWidth = 880;
inline constexpr int kFirstMinimumHeight = 600;
// Smaller than this a saved size is not the user's choice but a damaged file.
inline constexpr int kSmallestWindowWidth = 320;
inline constexpr int kSmallestWindowHeight = 240;

// Two thirds of available in each direction, but at least kPageFitWidth wide and
// kFirstMinimumHeight high where available allows, centred in it.
ScreenRect firstWindowRect(const ScreenRect& available);

// The place to open in.  screens are the available areas of the screens (without panels) and
// primary indexes the one a first window goes to; an empty list gives a first window on an
// 1024x768 screen.  A saved place is kept when the centre of its rectangle lies on a screen: it is
// then fitted into that screen (shrunk to it, moved inside it).  A place on no screen (a monitor
// since unplugged) gives the first-start rectangle on the primary screen; the maximised and
// full-screen states are kept either way.
WindowPlace chooseWindowPlace(const std::vector<ScreenRect>& screens, std::size_t primary,
                              const std::optional<WindowPlace>& saved);

}  // namespace vellumine
