// PageScriptToggle: a View menu setting carried out by a script on the page shown, for that page
// and every page loaded after it (Dark Page, Word's Page Breaks).  The script runs in the
// application's script world (page scripts stay off); it is the subclass's script with %1 replaced
// by true or false, and what it answers (a count) comes back in applied().
#pragma once
#include <QObject>
#include <QString>

class QWebEngineView;

class PageScriptToggle : public QObject {
  Q_OBJECT

 public:
  bool isOn() const { return on_; }
  // Turns the setting on or off for the page shown and every page loaded after it.
  void setOn(bool on);

 Q_SIGNALS:
  // The page shown has the setting applied (on or off); count is what the script answered.
  void applied(bool on, int count);

 protected:
  // script: the script to run, with %1 for the state (true or false).
  PageScriptToggle(QWebEngineView* view, const QString& script);

 private:
  void apply();

  QWebEngineView* view_;
  QString script_;
  bool on_ = false;
};
