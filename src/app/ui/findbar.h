// FindBar: the slim bar below the document that finds text in the page shown: a text field,
// previous and next, "n of m", a case toggle, a whole-word toggle and "List All" (Alt+Enter),
// which lists every match with its context in a pane beside the page.  The browser's own search
// marks the matches; for whole words, which it cannot do, the page's text is searched here
// (page_text_search.h) and the match in hand is shown selected.
#pragma once
#include <QUrl>
#include <QWidget>
#include <vector>

#include "app/ui/text_matches.h"

class FindResults;
class PageTextSearch;
class QCheckBox;
class QLabel;
class QLineEdit;
class QToolButton;
class QWebEngineFindTextResult;
class QWebEngineView;

class FindBar : public QWidget {
  Q_OBJECT

 public:
  explicit FindBar(QWebEngineView* view, QWidget* parent = nullptr);

  // Shows the bar with its text selected and the keyboard in its field.
  void open();
  // Hides the bar, clears the highlights and gives the keyboard back to the page.
  void close();

  // Steps to the next / previous match of the text in the field.
  void findNext();
  void findPrevious();
  // Lists every match of the text in the field in results (see attachResults).
  void listAll();

  // The pane that List All fills; it is dismissed when the bar closes or another page loads.
  void attachResults(FindResults* results);
  PageTextSearch* textSearch() const { return textSearch_; }

  // What the last search reported: "3 of 7", "No matches", or nothing for an empty field.
  QString matchText() const;
  int matchCount() const { return matches_; }
  int activeMatch() const { return active_; }

 Q_SIGNALS:
  // A search has reported its result (the counts above are up to date).
  void searched();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void search(bool backward);
  void restartSearch();
  void showResult(const QWebEngineFindTextResult& result);
  void searchWholeWords(bool backward);
  void showWordMatch();
  FindRule rule(bool wholeWords) const;

  QWebEngineView* view_;
  QLineEdit* field_;
  QToolButton* previous_;
  QToolButton* next_;
  QLabel* matchLabel_;
  QCheckBox* matchCase_;
  QCheckBox* wholeWord_;
  QToolButton* listAll_;
  PageTextSearch* textSearch_;
  FindResults* results_ = nullptr;
  // The whole-word matches of wordNeedle_ in wordPage_; stepping goes through them.
  std::vector<TextMatch> wordMatches_;
  QString wordNeedle_;
  QUrl wordPage_;
  int matches_ = 0;
  int active_ = 0;
};
