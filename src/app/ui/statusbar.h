// The status bar of the main window: the size cell (which also holds the progress gauge), the
// title, author and date cells, and the button that opens the About dialog.
#pragma once
#include <QFrame>

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

  // The gauge covers the size cell while a document loads.
  void showGauge(int position);
  void hideGauge();
  bool gaugeVisible() const;

 Q_SIGNALS:
  void aboutClicked();

 private:
  QLabel* size_;
  QLabel* title_;
  QLabel* author_;
  QLabel* date_;
  QProgressBar* gauge_;
  QToolButton* about_;
};
