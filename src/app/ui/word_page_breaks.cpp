#include "app/ui/word_page_breaks.h"

#include <QPointer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

namespace {

// The class on the root element, and the count of the marks wherever the page view put them.
const QString kShowScript = QStringLiteral(
    "(function(on){var root=document.documentElement;if(!root)return 0;"
    "root.classList.toggle('vm-wpb-on',on);return document.querySelectorAll('.vm-wpb').length;})(%1)");

}  // namespace

WordPageBreaks::WordPageBreaks(QWebEngineView* view) : QObject(view), view_(view) {
  connect(view_, &QWebEngineView::loadFinished, this, [this](bool) {
    if (on_) apply();
  });
}

void WordPageBreaks::setOn(bool on) {
  on_ = on;
  apply();
}

void WordPageBreaks::apply() {
  QPointer<WordPageBreaks> self(this);
  const bool on = on_;
  view_->page()->runJavaScript(kShowScript.arg(on ? QStringLiteral("true") : QStringLiteral("false")),
                               QWebEngineScript::ApplicationWorld, [self, on](const QVariant& marks) {
                                 if (self) Q_EMIT self->applied(on, marks.toInt());
                               });
}
