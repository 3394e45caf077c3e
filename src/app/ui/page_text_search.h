// PageTextSearch: finds a text in the page shown by reading its text nodes into the view's
// application script world once per page and matching them here (text_matches.h), for what the
// browser's own find cannot do: whole words, and a list of every match with its context.  A match
// is shown by selecting it in the page and scrolling it to the middle of the view.
#pragma once
#include <QObject>
#include <QUrl>
#include <functional>
#include <vector>

#include "app/ui/text_matches.h"

class QWebEngineView;

class PageTextSearch : public QObject {
  Q_OBJECT

 public:
  explicit PageTextSearch(QWebEngineView* view);

  using Found = std::function<void(const std::vector<TextMatch>& matches)>;
  // Finds needle under rule in the page shown and calls found with the matches (later, once the
  // page's text has been read; not at all when another page is shown meanwhile).
  void find(const QString& needle, FindRule rule, Found found);
  // Selects match, one that the last find of the page shown gave, and scrolls to it.
  void show(const TextMatch& match);
  // Removes the selection a shown match left.
  void clearSelection();

 private:
  QWebEngineView* view_;
  std::vector<PageTextNode> nodes_;
  QUrl nodesPage_;  // the page nodes_ were read from; empty when they are stale
};
