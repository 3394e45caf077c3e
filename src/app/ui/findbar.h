// FindBar: the slim bar below the document that finds text in the page shown, with the browser's
// own search: a text field, previous and next, "n of m" and a case toggle.
#pragma once
#include <QWidget>

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

  QWebEngineView* view_;
  QLineEdit* field_;
  QToolButton* previous_;
  QToolButton* next_;
  QLabel* matchLabel_;
  QCheckBox* matchCase_;
  int matches_ = 0;
  int active_ = 0;
};
