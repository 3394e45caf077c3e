// The keys of a window command: the one the viewer has always had and the menus show, then what
// the desktop's key scheme binds to the same standard action (QKeySequence::StandardKey), so a
// user of any desktop finds their habit working too.
#pragma once
#include <QKeySequence>
#include <QList>
#include <initializer_list>

// own in their order (the first is the one a menu shows), then the platform's bindings of
// standard that are not among them.  QKeySequence::UnknownKey adds nothing.
QList<QKeySequence> desktopKeys(std::initializer_list<QKeySequence> own, QKeySequence::StandardKey standard);
