// Notes and comments numbered in the order the page first refers to them: footnotes 1, 2, 3,
// endnotes i, ii, iii, comments 1, 2, 3 (shown with the author's initials).  Each referred item
// gets a place in its list (the N of its ids fn-N, en-N, cm-N and of the first reference's ids
// fnref-N, enref-N, cmref-N); items nobody refers to are listed after the others, without a mark.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vellumine::render {

enum class StoryList : std::uint8_t { footnotes, endnotes, comments };

struct StoryReference {
  std::size_t place = 0;   // 0: the item is missing (a mark without a link)
  std::string mark;        // what the reference shows ("3", "iv", or the custom mark)
  bool first = false;      // the first reference to the item: it carries the reference id
  friend bool operator==(const StoryReference&, const StoryReference&) = default;
};

class StoryNumbers {
 public:
  StoryNumbers(std::size_t footnotes, std::size_t endnotes, std::size_t comments);

  // A reference to item index (as the model gives it; -1 or out of range: missing).
  StoryReference refer(StoryList list, long long index, std::string_view customMark);

  // The items listed so far, in order of place (place 1 is order()[0]).
  const std::vector<std::size_t>& order(StoryList list) const { return lists_[at(list)].order; }
  std::string_view markAt(StoryList list, std::size_t place) const { return lists_[at(list)].marks[place - 1]; }
  bool referencedAt(StoryList list, std::size_t place) const { return !markAt(list, place).empty(); }
  // Lists the items not referred to yet for which wanted(index) holds; false when none was new.
  template <typename Wanted>
  bool listUnreferenced(StoryList list, const Wanted& wanted) {
    List& l = lists_[at(list)];
    bool listed = false;
    for (std::size_t index = 0; index < l.placeByIndex.size(); ++index) {
      if (l.placeByIndex[index] != 0 || !wanted(index)) continue;
      l.order.push_back(index);
      l.marks.emplace_back();
      l.placeByIndex[index] = l.order.size();
      listed = true;
    }
    return listed;
  }

  static void appendItemId(std::string& out, StoryList list, std::size_t place);       // "fn-3"
  static void appendReferenceId(std::string& out, StoryList list, std::size_t place);  // "fnref-3"

 private:
  struct List {
    std::vector<std::size_t> placeByIndex;  // 0: not listed
    std::vector<std::size_t> order;
    std::vector<std::string> marks;         // by place; empty: never referred to
    int nextNumber = 1;
  };
  static std::size_t at(StoryList list) { return static_cast<std::size_t>(list); }
  std::string numberMark(StoryList list, int number) const;

  List lists_[3];
};

// Lower-case Roman numerals (1 to 3999), decimal beyond.
std::string romanNumeral(int number);

}  // namespace vellumine::render
