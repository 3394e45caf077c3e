// The About dialog: a fixed white 323 x 419 dialog, created once and shown modally when asked.
#include "app/ui/about.h"

#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/ui/logo.h"
#include "app/version.h"

namespace {

constexpr int kWidth = 323;
constexpr int kHeight = 419;

QString aboutText() {
  const std::string_view version = vellumine::kProductVersion;
  return QStringLiteral("<p style=\"font-size:14pt\"><b>Vellumine</b></p><p>Version ") +
         QString::fromLatin1(version.data(), static_cast<qsizetype>(version.size())) +
         QStringLiteral(
             "</p>"
             "<p>A fast viewer for Word .docx documents.</p>"
             "<p>Open a document with File &gt; Open... (Ctrl+O), print it or preview it from the File menu, "
             "and save it as an HTML page with its images with Ctrl+S.</p>");
}

}  // namespace

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("About"));
  setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(kWidth, kHeight);
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, Qt::white);
  setPalette(colours);
  // In points, so the text keeps its size to the eye at any screen scaling.
  QFont tahoma(QStringLiteral("Tahoma"));
  tahoma.setPointSize(9);
  setFont(tahoma);

  auto* logo = new QLabel(this);
  logo->setPixmap(vellumineLogo(96));
  logo->setAlignment(Qt::AlignCenter);

  auto* text = new QTextBrowser(this);
  text->setObjectName(QStringLiteral("aboutText"));
  text->setHtml(aboutText());
  text->setFrameShape(QFrame::NoFrame);
  text->setOpenLinks(false);

  auto* close = new QPushButton(QStringLiteral("Continue"), this);
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 16);
  layout->addWidget(logo);
  layout->addWidget(text, 1);
  layout->addWidget(close, 0, Qt::AlignHCenter);
}
