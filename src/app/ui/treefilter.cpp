// A widget-tree event filter: installed on a root and its children, and on each child widget the
// moment it is added, so widgets made later by the browser view are covered as well.
#include "app/ui/treefilter.h"

#include <QChildEvent>
#include <QWidget>

void WidgetTreeFilter::watch(QWidget* root) {
  root->installEventFilter(this);
  for (QWidget* child : root->findChildren<QWidget*>()) child->installEventFilter(this);
}

bool WidgetTreeFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ChildAdded) {
    // Only the QObject part of the child exists yet; installing a filter needs no more, and the
    // child's own children announce themselves to it in turn.
    QObject* child = static_cast<QChildEvent*>(event)->child();
    if (child->isWidgetType()) child->installEventFilter(this);
  }
  return filterEvent(watched, event);
}
