// The status bar of the main window: the size cell (which also holds the progress gauge), the
// title, author and date cells, the page cell (the page view's page in view), the zoom cell, the tracked-changes cell (shown when the document has tracked
// changes), the warnings button (shown when the last load survived damage in
// the document), the not-shown button (shown when the page leaves drawings as labelled boxes) and
// the button that opens the About dialog.
#pragma once
#include <QFrame>
#include <QStringList>

class QLabel;
class QProgressBar;
class QToolButton;

class DocumentStatusBar : public QFrame {
  Q_OBJECT

 public:
  explicit DocumentStatusBar(QWidget* parent = nullptr);

  void setTexts(const QString& size, const QString& title, const QString& author, const QString& date);
  QString sizeText() const;
  QString titleText() const;
  QString authorText() const;
  QString dateText() const;

  // The zoom cell: the view's zoom factor as a percentage ("100 %").
  void setZoom(double factor);
  QString zoomText() const;
  // The page cell of the page view: "Page 3 of 41" for the page in view; no pages hide it.
  void setPage(int current, int count);
  QString pageText() const;  // empty while the cell is hidden
  // The shown document's tracked changes; none hides the cell.
  void setTrackedChanges(std::size_t count);
  QString trackedChangesText() const;  // empty while the cell is hidden

  // What the last load survived, one line per kind; none hides the button.
  void setWarnings(const QStringList& warnings);
  QStringList warnings() const { return warnings_; }

  // What the page leaves as labelled boxes: count items in all ("2 items not shown"), listed one
  // line per kind of thing; 0 hides the button.
  void setNotShown(int count, const QStringList& lines);
  QStringList notShown() const { return notShown_; }

  // The gauge covers the size cell while a document loads.
  void showGauge(int position);
  void hideGauge();
  bool gaugeVisible() const;

 Q_SIGNALS:
  void aboutClicked();
  void warningsClicked();
  void notShownClicked();

 private:
  QLabel* size_;
  QLabel* title_;
  QLabel* author_;
  QLabel* date_;
  QLabel* zoom_;
  QLabel* page_;
  QLabel* changes_;
  QProgressBar* gauge_;
  QToolButton* warningsButton_;
  QStringList warnings_;
  QToolButton* notShownButton_;
  QStringList notShown_;
  QToolButton* about_;
};
