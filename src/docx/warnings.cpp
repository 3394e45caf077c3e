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
    case WarningKind::pictureNotConverted:
      return (count == 1 ? std::string("1 picture") : DecimalText(count) + " pictures") + " could not be converted (" +
             detail + ")";
  }
  return detail;
}

}  // namespace

void Warnings::add(WarningKind kind, std::string_view detail) {
  auto it = std::find_if(entries_.begin(), entries_.end(), [kind](const Entry& e) { return e.kind == kind; });
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
  for (const Entry& e : entries_) {
    if (e.kind == kind) return e.count;
  }
  return 0;
}

std::vector<std::string> Warnings::lines() const {
  std::vector<std::string> out;
  out.reserve(entries_.size());
  for (const Entry& e : entries_) out.push_back(lineFor(e.kind, e.detail, e.count));
  return out;
}

}  // namespace vellumine::docx
