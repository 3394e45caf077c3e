// WidgetTreeFilter: an event filter over a widget and everything that is ever put inside it.
// The browser view renders into child widgets that it creates (and replaces) itself, and input
// such as the wheel or a drag reaches those children, not the view.
#pragma once
#include <QObject>

class QWidget;

class WidgetTreeFilter : public QObject {
 public:
  using QObject::QObject;

  // Filters root, its present children, and every child widget added below it later.
  void watch(QWidget* root);

 protected:
  // The events of every watched widget; true consumes the event.
  virtual bool filterEvent(QObject* watched, QEvent* event) = 0;

 private:
  bool eventFilter(QObject* watched, QEvent* event) final;
};
