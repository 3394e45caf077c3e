// The product logo, drawn rather than loaded, for the window icon, the status-bar button and the
// About dialog.
#pragma once
#include <QPixmap>

QPixmap vellumineLogo(int size);
