#include "app/ui/page_text_search.h"

#include <QPointer>
#include <QVariantList>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

namespace {

// The page's text nodes in document order, each with the block it belongs to (the nearest
// paragraph, heading, cell or other box), the same list for every script that calls it.
const QString kTextNodes = QStringLiteral(
    "function textNodes(){var out=[],w=document.createTreeWalker(document.body||document.documentElement,"
    "NodeFilter.SHOW_TEXT,{acceptNode:function(n){var p=n.parentElement;return p&&!p.closest('script,style,title')"
    "?NodeFilter.FILTER_ACCEPT:NodeFilter.FILTER_REJECT;}});for(var n=w.nextNode();n;n=w.nextNode())out.push(n);"
    "return out;}");

const QString kReadNodes = kTextNodes + QStringLiteral(
    "(function(){var blocks=new Map(),out=[];textNodes().forEach(function(n){"
    "var b=n.parentElement.closest('p,h1,h2,h3,h4,h5,h6,li,td,th,caption,dt,dd,pre,blockquote,div,body');"
    "if(!blocks.has(b))blocks.set(b,blocks.size);out.push([blocks.get(b),n.data]);});return out;})()");

QString showScript(const TextMatch& match) {
  return kTextNodes + QStringLiteral(
                          "(function(){var n=textNodes(),a=n[%1],b=n[%3];if(!a||!b)return false;"
                          "var r=document.createRange();r.setStart(a,Math.min(%2,a.length));r.setEnd(b,Math.min(%4,b.length));"
                          "var s=window.getSelection();s.removeAllRanges();s.addRange(r);"
                          "a.parentElement.scrollIntoView({block:'center'});return true;})()")
                          .arg(match.startNode)
                          .arg(match.startOffset)
                          .arg(match.endNode)
                          .arg(match.endOffset);
}

std::vector<PageTextNode> nodesOf(const QVariant& read) {
  std::vector<PageTextNode> nodes;
  const QVariantList list = read.toList();
  nodes.reserve(static_cast<std::size_t>(list.size()));
  for (const QVariant& node : list) {
    const QVariantList pair = node.toList();
    nodes.push_back({pair.value(0).toInt(), pair.value(1).toString()});
  }
  return nodes;
}

}  // namespace

PageTextSearch::PageTextSearch(QWebEngineView* view) : QObject(view), view_(view) {
  connect(view_, &QWebEngineView::loadStarted, this, [this] { nodesPage_.clear(); });
}

void PageTextSearch::find(const QString& needle, FindRule rule, Found found) {
  const QUrl page = view_->url();
  if (!nodesPage_.isEmpty() && nodesPage_ == page) {
    found(findTextMatches(nodes_, needle, rule));
    return;
  }
  QPointer<PageTextSearch> self(this);
  view_->page()->runJavaScript(kReadNodes, QWebEngineScript::ApplicationWorld,
                               [self, page, needle, rule, found](const QVariant& read) {
                                 if (!self || self->view_->url() != page) return;
                                 self->nodes_ = nodesOf(read);
                                 self->nodesPage_ = page;
                                 found(findTextMatches(self->nodes_, needle, rule));
                               });
}

void PageTextSearch::show(const TextMatch& match) {
  view_->page()->runJavaScript(showScript(match), QWebEngineScript::ApplicationWorld);
}

void PageTextSearch::clearSelection() {
  view_->page()->runJavaScript(QStringLiteral("window.getSelection().removeAllRanges()"),
                               QWebEngineScript::ApplicationWorld);
}
