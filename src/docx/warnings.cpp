// Warnings kept one per kind, with the first occurrence's detail and a count, and the lines that
// say them to a reader.
#include "docx/warnings.h"

#include <algorithm>

#include "text/units.h"

namespace vellumine::docx {

namespace {

std::string timesText(int count) {
  if (count <= 1) return std::string();
  return " (" + DecimalText(count) + " times)";
}

std::string lineFor(WarningKind kind, const std::string& detail, int count) {
  switch (kind) {
    case WarningKind::malformedXml:
      return detail + "; what was read before the damage is shown" + timesText(count);
    case WarningKind::malformedNumber:
      return "malformed number \"" + detail + "\" ignored" + timesText(count);
    case WarningKind::missingPart:
      return "missing part " + detail + timesText(count);
    case WarningKind::deepNesting:
      return detail + timesText(count);
    case WarningKind::unreadablePart:
      return detail + timesText(count);
    case WarningKind::notShown:
      return detail + timesText(count);
    case WarningKind::itemNotShown:
      return DecimalText(count) + " " + detail + (count == 1 ? "" : "s") + " not shown";
    case WarningKind::pictureNotConverted:
      return (count == 1 ? std::string("1 picture") : DecimalText(count) + " pictures") + " could not be converted (" +
             detail + ")";
  }
  return detail;
}

bool isItemNotShown(WarningKind kind) {
  return kind == WarningKind::itemNotShown || kind == WarningKind::pictureNotConverted;
}

bool wanted(WarningLines which, WarningKind kind) {
  switch (which) {
    case WarningLines::all: return true;
    case WarningLines::itemsNotShown: return isItemNotShown(kind);
    case WarningLines::survived: return !isItemNotShown(kind);
  }
  return true;
}

}  // namespace

void Warnings::add(WarningKind kind, std::string_view detail) {
  // Items not shown are told apart by what they are; every other kind by its kind alone.
  const bool byDetail = kind == WarningKind::itemNotShown;
  auto it = std::find_if(entries_.begin(), entries_.end(), [kind, byDetail, detail](const Entry& e) {
    return e.kind == kind && (!byDetail || e.detail == detail);
  });
  if (it != entries_.end()) {
    ++it->count;
    return;
  }
  // A hostile value may be megabytes long; the line only needs to name it.
  constexpr std::size_t kMaxDetail = 80;
  std::string kept(detail.substr(0, kMaxDetail));
  if (detail.size() > kMaxDetail) kept += "...";
  entries_.push_back(Entry{kind, std::move(kept), 1});
}

int Warnings::count(WarningKind kind) const {
  int total = 0;
  for (const Entry& e : entries_) {
    if (e.kind == kind) total += e.count;
  }
  return total;
}

int Warnings::itemsNotShown() const {
  return count(WarningKind::itemNotShown) + count(WarningKind::pictureNotConverted);
}

std::vector<std::string> Warnings::lines(WarningLines which) const {
  std::vector<std::string> out;
  out.reserve(entries_.size());
  for (const Entry& e : entries_) {
    if (wanted(which, e.kind)) out.push_back(lineFor(e.kind, e.detail, e.count));
  }
  return out;
}

}  // namespace vellumine::docx
