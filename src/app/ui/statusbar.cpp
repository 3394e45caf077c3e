// Status-bar layout: fixed cells separated by narrow spacers, the title cell taking the rest, all
// in a 21-pixel bar with a one-pixel strip along its top edge.
#include "app/ui/statusbar.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QStackedLayout>
#include <QStyle>
#include <QToolButton>

#include "app/ui/logo.h"
#include "app/ui/plain_text.h"

namespace {

constexpr int kBarHeight = 21;
constexpr int kSizeWidth = 120;
constexpr int kAuthorWidth = 155;
constexpr int kDateWidth = 178;
constexpr int kZoomWidth = 52;
constexpr int kChangesWidth = 110;
constexpr int kPageWidth = 96;
constexpr int kButtonCellWidth = 20;

// A button with an icon and a short text that says something about the shown document; hidden
// until there is something to say.
QToolButton* makeNoteButton(QWidget* parent, const QString& name, QStyle::StandardPixmap icon) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setAutoRaise(true);
  button->setFixedHeight(20);
  button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  button->setIcon(parent->style()->standardIcon(icon));
  button->hide();
  return button;
}

QLabel* makeCell(QWidget* parent, int width) {
  auto* cell = new QLabel(parent);
  cell->setTextFormat(Qt::PlainText);  // a document's title and author, never read as markup
  cell->setFrameShape(QFrame::StyledPanel);
  cell->setFrameShadow(QFrame::Sunken);
  if (width > 0) {
    cell->setFixedWidth(width);
  } else {
    // Long titles are cut, they never widen the window.
    cell->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    cell->setIndent(3);
  }
  return cell;
}

}  // namespace

DocumentStatusBar::DocumentStatusBar(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("statusBar"));
  setFixedHeight(kBarHeight);
  setStyleSheet(QStringLiteral("#statusBar { border-top: 1px solid palette(mid); }"));
  // In points, so the text keeps its size to the eye at any screen scaling.
  QFont tahoma(QStringLiteral("Tahoma"));
  tahoma.setPointSize(8);
  setFont(tahoma);

  auto* sizeCell = new QWidget(this);
  sizeCell->setFixedWidth(kSizeWidth);
  auto* stack = new QStackedLayout(sizeCell);
  stack->setStackingMode(QStackedLayout::StackAll);
  size_ = makeCell(sizeCell, kSizeWidth);
  gauge_ = new QProgressBar(sizeCell);
  gauge_->setRange(0, 100);
  gauge_->setTextVisible(false);
  stack->addWidget(gauge_);
  stack->addWidget(size_);
  gauge_->hide();

  title_ = makeCell(this, 0);
  author_ = makeCell(this, kAuthorWidth);
  date_ = makeCell(this, kDateWidth);
  zoom_ = makeCell(this, kZoomWidth);
  zoom_->setObjectName(QStringLiteral("zoomCell"));
  zoom_->setAlignment(Qt::AlignCenter);
  zoom_->setToolTip(QStringLiteral("Zoom (Ctrl++, Ctrl+-, Ctrl+0)"));
  setZoom(1.0);
  page_ = makeCell(this, kPageWidth);
  page_->setObjectName(QStringLiteral("pageCell"));
  page_->setAlignment(Qt::AlignCenter);
  page_->setToolTip(QStringLiteral("Go to page (Ctrl+G)"));
  page_->hide();
  changes_ = makeCell(this, kChangesWidth);
  changes_->setObjectName(QStringLiteral("changesCell"));
  changes_->hide();

  warningsButton_ = makeNoteButton(this, QStringLiteral("warningsButton"), QStyle::SP_MessageBoxWarning);
  connect(warningsButton_, &QToolButton::clicked, this, &DocumentStatusBar::warningsClicked);
  notShownButton_ = makeNoteButton(this, QStringLiteral("notShownButton"), QStyle::SP_MessageBoxInformation);
  connect(notShownButton_, &QToolButton::clicked, this, &DocumentStatusBar::notShownClicked);

  about_ = new QToolButton(this);
  about_->setObjectName(QStringLiteral("aboutButton"));
  about_->setAutoRaise(true);
  about_->setFixedSize(22, 22);
  about_->setIcon(QIcon(vellumineLogo(16)));
  about_->setToolTip(QStringLiteral("About"));
  connect(about_, &QToolButton::clicked, this, &DocumentStatusBar::aboutClicked);

  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(3, 1, 0, 0);
  row->setSpacing(2);
  row->addWidget(sizeCell);
  row->addWidget(title_, 1);
  row->addWidget(author_);
  row->addWidget(date_);
  row->addWidget(page_);
  row->addWidget(zoom_);
  row->addWidget(changes_);
  row->addWidget(notShownButton_);
  row->addWidget(warningsButton_);
  auto* buttonCell = new QWidget(this);
  buttonCell->setFixedWidth(kButtonCellWidth);
  about_->setParent(buttonCell);
  row->addWidget(buttonCell);
}

void DocumentStatusBar::setTexts(const QString& size, const QString& title, const QString& author,
                                 const QString& date) {
  size_->setText(size);
  title_->setText(title);
  author_->setText(author);
  date_->setText(date);
}

void DocumentStatusBar::setWarnings(const QStringList& warnings) {
  warnings_ = warnings;
  warningsButton_->setVisible(!warnings.isEmpty());
  if (warnings.isEmpty()) return;
  warningsButton_->setText(warnings.size() == 1 ? QStringLiteral("1 warning")
                                                : QStringLiteral("%1 warnings").arg(warnings.size()));
  warningsButton_->setToolTip(plainToolTip(warnings.join(QLatin1Char('\n'))));
}

void DocumentStatusBar::setNotShown(int count, const QStringList& lines) {
  notShown_ = lines;
  notShownButton_->setVisible(count > 0);
  if (count <= 0) return;
  notShownButton_->setText(count == 1 ? QStringLiteral("1 item not shown")
                                      : QStringLiteral("%1 items not shown").arg(count));
  notShownButton_->setToolTip(plainToolTip(lines.join(QLatin1Char('\n'))));
}

void DocumentStatusBar::setTrackedChanges(std::size_t count) {
  changes_->setVisible(count > 0);
  changes_->setText(count > 0 ? QStringLiteral("Tracked changes") : QString());
  changes_->setToolTip(count == 1 ? QStringLiteral("1 tracked change in the document")
                                  : QStringLiteral("%1 tracked changes in the document").arg(count));
}

QString DocumentStatusBar::trackedChangesText() const { return changes_->text(); }

QString DocumentStatusBar::sizeText() const { return size_->text(); }
QString DocumentStatusBar::titleText() const { return title_->text(); }
QString DocumentStatusBar::authorText() const { return author_->text(); }
QString DocumentStatusBar::dateText() const { return date_->text(); }

void DocumentStatusBar::setZoom(double factor) { zoom_->setText(QStringLiteral("%1 %").arg(qRound(factor * 100))); }

QString DocumentStatusBar::zoomText() const { return zoom_->text(); }

void DocumentStatusBar::setPage(int current, int count) {
  page_->setVisible(count > 0);
  page_->setText(count > 0 ? QStringLiteral("Page %1 of %2").arg(std::max(current, 1)).arg(count) : QString());
}

QString DocumentStatusBar::pageText() const { return page_->text(); }

void DocumentStatusBar::showGauge(int position) {
  gauge_->setValue(position);
  gauge_->show();
  gauge_->raise();
  gauge_->repaint();
}

void DocumentStatusBar::hideGauge() { gauge_->hide(); }

bool DocumentStatusBar::gaugeVisible() const { return !gauge_->isHidden(); }
