// Keys of window commands: the viewer's own keys first, the desktop's standard ones after.
#include "app/ui/desktop_keys.h"

QList<QKeySequence> desktopKeys(std::initializer_list<QKeySequence> own, QKeySequence::StandardKey standard) {
  QList<QKeySequence> keys;
  for (const QKeySequence& key : own) {
    if (!key.isEmpty() && !keys.contains(key)) keys.append(key);
  }
  if (standard == QKeySequence::UnknownKey) return keys;
  for (const QKeySequence& key : QKeySequence::keyBindings(standard)) {
    if (!key.isEmpty() && !keys.contains(key)) keys.append(key);
  }
  return keys;
}
