#include "app/ui/find_results.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "app/ui/page_text_search.h"
#include "app/ui/plain_text.h"

namespace {

constexpr int kPaneWidth = 280;

}  // namespace

FindResults::FindResults(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("findResults"));
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(2);
  heading_ = new QLabel(this);
  heading_->setObjectName(QStringLiteral("findResultsHeading"));
  heading_->setTextFormat(Qt::PlainText);  // the searched text is the reader's own
  heading_->setContentsMargins(4, 2, 4, 0);
  column->addWidget(heading_);
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("findResultsList"));
  list_->setWordWrap(true);
  list_->setTextElideMode(Qt::ElideNone);
  column->addWidget(list_, 1);
  connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { goTo(list_->row(item)); });
  connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) { goTo(list_->row(item)); });
  hide();
}

QSize FindResults::sizeHint() const { return {kPaneWidth, QWidget::sizeHint().height()}; }

void FindResults::showMatches(const QString& needle, std::vector<TextMatch> matches) {
  matches_ = std::move(matches);
  list_->clear();
  const QString quoted = QStringLiteral("\u201c") + needle + QStringLiteral("\u201d");
  if (matches_.empty()) {
    heading_->setText(tr("No matches of ") + quoted);
  } else if (matches_.size() == 1) {
    heading_->setText(tr("1 match of ") + quoted);
  } else {
    heading_->setText(tr("%1 matches of ").arg(matches_.size()) + quoted);
  }
  for (const TextMatch& match : matches_) {
    auto* item = new QListWidgetItem(match.context, list_);
    item->setToolTip(plainToolTip(match.context));
  }
  const bool wasShown = isVisible();
  show();
  if (!wasShown) Q_EMIT shownChanged(true);
}

void FindResults::dismiss() {
  matches_.clear();
  list_->clear();
  if (isHidden()) return;
  hide();
  Q_EMIT shownChanged(false);
}

void FindResults::goTo(int row) {
  if (search_ == nullptr || row < 0 || row >= static_cast<int>(matches_.size())) return;
  search_->show(matches_[static_cast<std::size_t>(row)]);
  Q_EMIT matchShown(row);
}
