#include "app/ui/outline_pane.h"

#include <QHeaderView>
#include <QPointer>
#include <QVariantList>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <memory>

#include "app/outline_tree.h"
#include "app/ui/plain_text.h"

namespace {

constexpr int kIndexRole = Qt::UserRole;
constexpr int kPaneWidth = 240;
constexpr int kSettleMs = 150;
constexpr int kLongestEntry = 200;   // characters shown of a heading
constexpr int kMostHeadings = 5000;  // a tree this long is no longer a way around a document

// The headings of the document's own text (what the converter adds around it carries an id that
// starts with "vellumine-"), in document order; in the page view those laid out stand in the
// pages' columns (before the page div), never in a header, footer or footnote.
const QString kHeadings = QStringLiteral(
    "function headings(){return Array.from(document.querySelectorAll("
    "'#page h1,#page h2,#page h3,#page h4,#page h5,#page h6,.vm-col h1,.vm-col h2,.vm-col h3,.vm-col h4,"
    ".vm-col h5,.vm-col h6')).filter("
    "function(h){return !h.closest('[id^=\"vellumine-\"]')&&!h.classList.contains('vm-cont');});}");

// [[level, text], ...] for at most kMostHeadings headings.  Their text content, not their drawn
// text: the page view skips groups of pages out of view, whose drawn text reads empty.
QString readScript() {
  return kHeadings + QStringLiteral(
                         "headings().slice(0,%1).map(function(h){return [Number(h.tagName.substring(1)),"
                         "h.textContent.replace(/\\s+/g,' ').trim().substring(0,%2)];})")
                         .arg(kMostHeadings)
                         .arg(kLongestEntry);
}

// The index of the last heading whose top is at or above the top of the view (the reader is in
// its part of the document); 0 before the first; -1 without headings.  The headings of a chunk
// wholly above the view are known to be above it by the chunk's box, without laying it out.
QString inViewScript() {
  return kHeadings + QStringLiteral(
                         "(function(){var h=headings(),k=-1;for(var i=0;i<h.length&&i<%1;i++){"
                         "var c=h[i].closest('.vm-chunk');if(c&&c.getBoundingClientRect().bottom<=8){k=i;continue;}"
                         "if(h[i].getBoundingClientRect().top<=8)k=i;else break;}return h.length?Math.max(k,0):-1;})()")
      .arg(kMostHeadings);
}

QString goToScript(int index) {
  return kHeadings + QStringLiteral("(function(){var h=headings()[%1];if(!h)return false;h.scrollIntoView();return true;})()")
                         .arg(index);
}

}  // namespace

OutlinePane::OutlinePane(QWebEngineView* view, QWidget* parent) : QTreeWidget(parent), view_(view) {
  setObjectName(QStringLiteral("outlinePane"));
  setHeaderHidden(true);
  setColumnCount(1);
  setUniformRowHeights(true);
  setTextElideMode(Qt::ElideRight);
  header()->setStretchLastSection(true);
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMs);
  connect(&settle_, &QTimer::timeout, this, &OutlinePane::selectHeadingInView);
  connect(view_->page(), &QWebEnginePage::scrollPositionChanged, this, [this] {
    if (hasHeadings()) settle_.start();
  });
  connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { goTo(item); });
  connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { goTo(item); });
  connect(view_, &QWebEngineView::loadFinished, this, [this](bool) {
    if (!page_.isEmpty() && view_->url() == page_) readHeadings();
  });
}

void OutlinePane::followPage(const QUrl& page) {
  page_ = page;
  clear();
  entries_.clear();
  if (page.isEmpty()) {
    Q_EMIT headingsRead(0);
    return;
  }
  // A page that has already loaded gets no loadFinished of its own; one still loading reads then.
  if (view_->url() == page && !view_->page()->isLoading()) readHeadings();
}

QSize OutlinePane::sizeHint() const { return {kPaneWidth, QTreeWidget::sizeHint().height()}; }

int OutlinePane::currentHeading() const {
  const QTreeWidgetItem* item = currentItem();
  return item == nullptr ? -1 : item->data(0, kIndexRole).toInt();
}

void OutlinePane::readHeadings() {
  QPointer<OutlinePane> self(this);
  const QUrl page = page_;
  view_->page()->runJavaScript(readScript(), QWebEngineScript::ApplicationWorld, [self, page](const QVariant& read) {
    if (self && self->page_ == page) self->showHeadings(read);
  });
}

void OutlinePane::showHeadings(const QVariant& read) {
  clear();
  entries_.clear();
  const QVariantList headings = read.toList();
  std::vector<int> levels;
  for (const QVariant& heading : headings) levels.push_back(heading.toList().value(0).toInt());
  const std::vector<int> parents = vellumine::outlineParents(levels);
  for (int k = 0; k < static_cast<int>(headings.size()); ++k) {
    const int parent = parents[static_cast<std::size_t>(k)];
    auto* item = parent < 0 ? new QTreeWidgetItem(this) : new QTreeWidgetItem(entries_[static_cast<std::size_t>(parent)]);
    const QString text = headings[k].toList().value(1).toString();
    item->setText(0, text);
    item->setToolTip(0, plainToolTip(text));
    item->setData(0, kIndexRole, k);
    entries_.push_back(item);
  }
  expandAll();
  Q_EMIT headingsRead(static_cast<int>(entries_.size()));
}

void OutlinePane::goTo(QTreeWidgetItem* item) {
  if (item == nullptr || following_) return;
  const int index = item->data(0, kIndexRole).toInt();
  QPointer<OutlinePane> self(this);
  view_->page()->runJavaScript(goToScript(index), QWebEngineScript::ApplicationWorld,
                               [self, index](const QVariant& shown) {
                                 if (self && shown.toBool()) Q_EMIT self->headingShown(index);
                               });
}

void OutlinePane::selectHeadingInView() {
  QPointer<OutlinePane> self(this);
  const QUrl page = page_;
  view_->page()->runJavaScript(inViewScript(), QWebEngineScript::ApplicationWorld, [self, page](const QVariant& read) {
    if (!self || self->page_ != page) return;
    const int index = read.toInt();
    if (index < 0 || index >= static_cast<int>(self->entries_.size())) return;
    QTreeWidgetItem* item = self->entries_[static_cast<std::size_t>(index)];
    self->following_ = true;
    self->setCurrentItem(item);
    self->scrollToItem(item);
    self->following_ = false;
  });
}
