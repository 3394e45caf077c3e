// The find bar: typing searches from the top of the page, Enter and Shift+Enter step through the
// matches, Alt+Enter lists them all, Esc closes.  The browser marks the matches and reports their number and the current
// one, which the bar shows as "n of m".
#include "app/ui/findbar.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QShortcut>
#include <QToolButton>
#include <QWebEngineFindTextResult>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "app/ui/find_results.h"
#include "app/ui/page_text_search.h"

namespace {

QToolButton* makeStepButton(QWidget* parent, Qt::ArrowType arrow, const QString& name, const QString& tip) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setArrowType(arrow);
  button->setAutoRaise(true);
  button->setToolTip(tip);
  button->setFocusPolicy(Qt::NoFocus);  // the keyboard stays in the field
  return button;
}

}  // namespace

FindBar::FindBar(QWebEngineView* view, QWidget* parent)
    : QWidget(parent), view_(view), textSearch_(new PageTextSearch(view)) {
  setObjectName(QStringLiteral("findBar"));
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(4, 2, 4, 2);
  row->setSpacing(4);

  row->addWidget(new QLabel(tr("Find:"), this));
  field_ = new QLineEdit(this);
  field_->setObjectName(QStringLiteral("findField"));
  field_->setClearButtonEnabled(true);
  field_->setMaximumWidth(260);
  field_->installEventFilter(this);
  row->addWidget(field_);
  previous_ = makeStepButton(this, Qt::UpArrow, QStringLiteral("findPrevious"), tr("Previous match (Shift+Enter)"));
  next_ = makeStepButton(this, Qt::DownArrow, QStringLiteral("findNext"), tr("Next match (Enter)"));
  row->addWidget(previous_);
  row->addWidget(next_);
  matchLabel_ = new QLabel(this);
  matchLabel_->setObjectName(QStringLiteral("findMatches"));
  matchLabel_->setMinimumWidth(90);
  row->addWidget(matchLabel_);
  matchCase_ = new QCheckBox(tr("Match case"), this);
  matchCase_->setObjectName(QStringLiteral("findMatchCase"));
  matchCase_->setFocusPolicy(Qt::NoFocus);
  row->addWidget(matchCase_);
  wholeWord_ = new QCheckBox(tr("Whole words"), this);
  wholeWord_->setObjectName(QStringLiteral("findWholeWord"));
  wholeWord_->setFocusPolicy(Qt::NoFocus);
  row->addWidget(wholeWord_);
  listAll_ = new QToolButton(this);
  listAll_->setObjectName(QStringLiteral("findListAll"));
  listAll_->setText(tr("List All"));
  listAll_->setToolTip(tr("Every match in a list beside the page (Alt+Enter)"));
  listAll_->setFocusPolicy(Qt::NoFocus);
  row->addWidget(listAll_);
  row->addStretch(1);
  auto* closeButton = new QToolButton(this);
  closeButton->setObjectName(QStringLiteral("findClose"));
  closeButton->setText(QStringLiteral("\u00d7"));
  closeButton->setAutoRaise(true);
  closeButton->setToolTip(tr("Close (Esc)"));
  closeButton->setFocusPolicy(Qt::NoFocus);
  row->addWidget(closeButton);

  connect(field_, &QLineEdit::textChanged, this, [this] { search(false); });
  connect(matchCase_, &QCheckBox::toggled, this, &FindBar::restartSearch);
  connect(wholeWord_, &QCheckBox::toggled, this, &FindBar::restartSearch);
  connect(listAll_, &QToolButton::clicked, this, &FindBar::listAll);
  connect(previous_, &QToolButton::clicked, this, &FindBar::findPrevious);
  connect(next_, &QToolButton::clicked, this, &FindBar::findNext);
  connect(closeButton, &QToolButton::clicked, this, &FindBar::close);
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WidgetWithChildrenShortcut);
  connect(escape, &QShortcut::activated, this, &FindBar::close);
  // A new page has new matches; the old counts would be wrong.
  connect(view_, &QWebEngineView::loadFinished, this, [this] {
    if (isVisible()) restartSearch();
  });
  hide();
}

void FindBar::open() {
  show();
  field_->setFocus(Qt::ShortcutFocusReason);
  field_->selectAll();
  if (!field_->text().isEmpty()) restartSearch();
}

void FindBar::close() {
  hide();
  view_->findText(QString());  // an empty search removes the marks
  if (!wordNeedle_.isEmpty()) textSearch_->clearSelection();
  wordNeedle_.clear();
  if (results_ != nullptr) results_->dismiss();
  matches_ = 0;
  active_ = 0;
  matchLabel_->clear();
  view_->setFocus(Qt::OtherFocusReason);
}

void FindBar::findNext() { search(false); }

void FindBar::findPrevious() { search(true); }

// The browser takes a repeated text as "find the next one" and keeps its old counts, even when the
// case rule or the page changed; an empty search ends that, and the next one counts afresh.
void FindBar::restartSearch() {
  view_->findText(QString());
  wordNeedle_.clear();
  search(false);
}

void FindBar::attachResults(FindResults* results) {
  results_ = results;
  results_->setSearch(textSearch_);
  connect(view_, &QWebEngineView::loadStarted, results_, &FindResults::dismiss);
}

FindRule FindBar::rule(bool wholeWords) const { return FindRule{matchCase_->isChecked(), wholeWords}; }

void FindBar::listAll() {
  const QString text = field_->text();
  if (results_ == nullptr || text.isEmpty()) return;
  QPointer<FindResults> results(results_);
  textSearch_->find(text, rule(wholeWord_->isChecked()), [results, text](const std::vector<TextMatch>& matches) {
    if (results) results->showMatches(text, matches);
  });
}

// Whole words: the first search of a text reads the page and shows its first match; the next ones
// step through the matches found, round at either end as the browser's search goes.
void FindBar::searchWholeWords(bool backward) {
  const QString text = field_->text();
  if (text == wordNeedle_ && view_->url() == wordPage_ && !wordMatches_.empty()) {
    const int count = static_cast<int>(wordMatches_.size());
    active_ = backward ? (active_ + count - 2) % count + 1 : active_ % count + 1;
    showWordMatch();
    return;
  }
  view_->findText(QString());  // the browser's marks would show parts of words too
  wordNeedle_ = text;
  wordPage_ = view_->url();
  textSearch_->find(text, rule(true), [bar = QPointer<FindBar>(this), text](const std::vector<TextMatch>& matches) {
    if (!bar || bar->field_->text() != text) return;
    bar->wordMatches_ = matches;
    bar->active_ = matches.empty() ? 0 : 1;
    bar->showWordMatch();
  });
}

void FindBar::showWordMatch() {
  matches_ = static_cast<int>(wordMatches_.size());
  if (active_ > 0) textSearch_->show(wordMatches_[static_cast<std::size_t>(active_ - 1)]);
  matchLabel_->setText(matchText());
  Q_EMIT searched();
}

// The browser steps to the next match when asked for the same text again, and starts from the top
// when the text changed.
void FindBar::search(bool backward) {
  QWebEnginePage::FindFlags flags;
  if (backward) flags |= QWebEnginePage::FindBackward;
  if (matchCase_->isChecked()) flags |= QWebEnginePage::FindCaseSensitively;
  const QString text = field_->text();
  if (text.isEmpty()) {
    view_->findText(QString());
    matches_ = 0;
    active_ = 0;
    matchLabel_->clear();
    Q_EMIT searched();
    return;
  }
  if (wholeWord_->isChecked()) {
    searchWholeWords(backward);
    return;
  }
  view_->findText(text, flags, [bar = QPointer<FindBar>(this)](const QWebEngineFindTextResult& result) {
    if (bar) bar->showResult(result);
  });
}

void FindBar::showResult(const QWebEngineFindTextResult& result) {
  matches_ = result.numberOfMatches();
  active_ = result.activeMatch();
  matchLabel_->setText(matchText());
  Q_EMIT searched();
}

QString FindBar::matchText() const {
  if (field_->text().isEmpty()) return {};
  if (matches_ == 0) return tr("No matches");
  return tr("%1 of %2").arg(active_).arg(matches_);
}

// Enter steps forward, Shift+Enter back; the field would otherwise just emit returnPressed.
bool FindBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched == field_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      if (key->modifiers() & Qt::AltModifier) {
        listAll();
      } else {
        search(key->modifiers() & Qt::ShiftModifier);
      }
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}
