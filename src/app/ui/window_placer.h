// The main window's place on the desktop: chosen from the screens Qt reports and the place file
// (app/window_place*), applied before the first show, and read back from the window when it closes.
#pragma once
#include <filesystem>

#include "app/window_place.h"

class QWidget;

// The place for a window opening now: the one saved in file when it is still on a screen (file
// missing, damaged or empty: a first-start place on the primary screen).
vellumine::WindowPlace placeForNewWindow(const std::filesystem::path& file);

// Gives window the place's normal geometry; call before it is shown.  On Wayland the compositor
// chooses where a window goes, so there only the size takes effect.
void applyNormalGeometry(QWidget* window, const vellumine::WindowPlace& place);

// Shows window as the place says: full screen, maximised or in its normal geometry.
void showInPlace(QWidget* window, const vellumine::WindowPlace& place);

// Where window is now: its normal geometry (the one it returns to from maximised or full screen)
// and its state.
vellumine::WindowPlace currentPlace(const QWidget* window);
