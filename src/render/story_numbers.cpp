// Note and comment numbering for the page: places by first reference, marks by number (custom
// marks take no number, as in Word), ids by place.
#include "render/story_numbers.h"

#include <array>
#include <utility>

#include "render/css_units.h"

namespace vellumine::render {

std::string romanNumeral(int number) {
  if (number < 1 || number >= 4000) {
    std::string out;
    appendInteger(out, number);
    return out;
  }
  static constexpr std::array<std::pair<int, std::string_view>, 13> kDigits{{{1000, "m"}, {900, "cm"}, {500, "d"},
      {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"}, {40, "xl"}, {10, "x"}, {9, "ix"}, {5, "v"}, {4, "iv"}, {1, "i"}}};
  std::string out;
  for (const auto& [value, digits] : kDigits) {
    for (; number >= value; number -= value) out += digits;
  }
  return out;
}

StoryNumbers::StoryNumbers(std::size_t footnotes, std::size_t endnotes, std::size_t comments) {
  lists_[0].placeByIndex.assign(footnotes, 0);
  lists_[1].placeByIndex.assign(endnotes, 0);
  lists_[2].placeByIndex.assign(comments, 0);
}

std::string StoryNumbers::numberMark(StoryList list, int number) const {
  if (list == StoryList::endnotes) return romanNumeral(number);
  std::string out;
  appendInteger(out, number);
  return out;
}

StoryReference StoryNumbers::refer(StoryList list, long long index, std::string_view customMark) {
  List& l = lists_[at(list)];
  auto nextMark = [&] { return customMark.empty() ? numberMark(list, l.nextNumber++) : std::string(customMark); };
  if (index < 0 || static_cast<std::size_t>(index) >= l.placeByIndex.size()) return {0, nextMark(), false};
  std::size_t& place = l.placeByIndex[static_cast<std::size_t>(index)];
  if (place == 0) {
    l.order.push_back(static_cast<std::size_t>(index));
    l.marks.emplace_back();
    place = l.order.size();
  }
  std::string& mark = l.marks[place - 1];
  if (!mark.empty()) return {place, customMark.empty() ? mark : std::string(customMark), false};
  mark = nextMark();
  return {place, mark, true};
}

void StoryNumbers::appendItemId(std::string& out, StoryList list, std::size_t place) {
  static constexpr std::array<std::string_view, 3> kPrefixes{"fn-", "en-", "cm-"};
  out += kPrefixes[at(list)];
  appendInteger(out, static_cast<long long>(place));
}

void StoryNumbers::appendReferenceId(std::string& out, StoryList list, std::size_t place) {
  static constexpr std::array<std::string_view, 3> kPrefixes{"fnref-", "enref-", "cmref-"};
  out += kPrefixes[at(list)];
  appendInteger(out, static_cast<long long>(place));
}

}  // namespace vellumine::render
