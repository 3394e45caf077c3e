#include "app/ui/page_script_toggle.h"

#include <QPointer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

PageScriptToggle::PageScriptToggle(QWebEngineView* view, const QString& script)
    : QObject(view), view_(view), script_(script) {
  connect(view_, &QWebEngineView::loadFinished, this, [this](bool) {
    if (on_) apply();
  });
}

void PageScriptToggle::setOn(bool on) {
  on_ = on;
  apply();
}

void PageScriptToggle::apply() {
  QPointer<PageScriptToggle> self(this);
  const bool on = on_;
  view_->page()->runJavaScript(script_.arg(on ? QStringLiteral("true") : QStringLiteral("false")),
                               QWebEngineScript::ApplicationWorld, [self, on](const QVariant& count) {
                                 if (self) Q_EMIT self->applied(on, count.toInt());
                               });
}
