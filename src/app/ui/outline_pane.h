// OutlinePane: the document's headings as a tree beside the page (View > Outline).  The headings
// are read from the page once it has loaded (h1 to h6 of the document's own text, with their
// numbering, as the page shows them); a click scrolls the page to its heading, and as the reader
// scrolls, the entry of the heading they are in is selected.  Scripts run in the application's
// script world; page scripts stay off.
#pragma once
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <vector>

class QWebEngineView;

class OutlinePane : public QTreeWidget {
  Q_OBJECT

 public:
  OutlinePane(QWebEngineView* view, QWidget* parent);

  // Reads the headings of the page at page once it has finished loading (or now, if it has);
  // headingsRead follows.  An empty page forgets the headings.
  void followPage(const QUrl& page);
  bool hasHeadings() const { return !entries_.empty(); }
  // The index (in document order) of the selected heading; -1 when none is.
  int currentHeading() const;
  // The width it first takes beside the page; the reader may drag it.
  QSize sizeHint() const override;

 Q_SIGNALS:
  void headingsRead(int count);
  // The page was scrolled to heading index after a click on its entry.
  void headingShown(int index);

 private:
  void readHeadings();
  void showHeadings(const QVariant& read);
  void goTo(QTreeWidgetItem* item);
  void selectHeadingInView();

  QWebEngineView* view_;
  QUrl page_;
  std::vector<QTreeWidgetItem*> entries_;  // in document order
  QTimer settle_;
  bool following_ = false;  // a selection made by the scroll, not by the reader
};
