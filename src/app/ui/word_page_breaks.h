// WordPageBreaks: View > Word's Page Breaks.  A document Word saved records where Word broke its
// pages; the faithful page keeps each place as a hidden mark numbered with Word's page
// (render/word_pages.h).  While the item is on, a class on the page's root element (vm-wpb-on)
// shows them as small "Word p. N" labels in the left margin, on the continuous page and in the
// page view alike, so the reader can compare Word's pages with the viewer's.  The class is set by
// a script in the application's script world (page scripts stay off), for the page shown and
// every page loaded after it.  The page's own sheet keeps the labels off paper: printing, the PDF
// export and Save As HTML never show them.
#pragma once
#include <QObject>

class QWebEngineView;

class WordPageBreaks : public QObject {
  Q_OBJECT

 public:
  explicit WordPageBreaks(QWebEngineView* view);

  bool isOn() const { return on_; }
  // Shows or hides the marks on the page shown and on every page loaded after it.
  void setOn(bool on);

 Q_SIGNALS:
  // The page shown has its marks shown (or hidden again); marks is how many it holds.
  void applied(bool on, int marks);

 private:
  void apply();

  QWebEngineView* view_;
  bool on_ = false;
};
