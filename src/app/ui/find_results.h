// FindResults: every match of a search as a list beside the page (the find bar's "List All",
// Alt+Enter), each a line of its context; a click selects the match in the page and scrolls to it.
// It takes the outline's place while it is shown.
#pragma once
#include <QWidget>
#include <vector>

#include "app/ui/text_matches.h"

class PageTextSearch;
class QLabel;
class QListWidget;

class FindResults : public QWidget {
  Q_OBJECT

 public:
  explicit FindResults(QWidget* parent);

  // The search whose matches it lists and shows (the find bar's).
  void setSearch(PageTextSearch* search) { search_ = search; }

  // Shows matches of needle (from search's last find) and the pane.
  void showMatches(const QString& needle, std::vector<TextMatch> matches);
  // Hides the pane and forgets the matches.
  void dismiss();

  QListWidget* list() const { return list_; }
  QSize sizeHint() const override;

 Q_SIGNALS:
  void shownChanged(bool shown);
  void matchShown(int index);

 private:
  void goTo(int row);

  PageTextSearch* search_ = nullptr;
  QLabel* heading_;
  QListWidget* list_;
  std::vector<TextMatch> matches_;
};
