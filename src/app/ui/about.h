// TfrmAbout: the About dialog with the logo, the product name and version, and "Continue".
#pragma once
#include <QDialog>

class TfrmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmAbout(QWidget* parent = nullptr);
};
