// The recent-file list: the eight documents opened last through File > Open, most recent first,
// kept between runs in rec.lst as eight lines joined by CR LF.
#pragma once
#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace vellumine {

inline constexpr std::size_t kRecentSlotCount = 8;

class RecentFileList {
 public:
  // Slot 0 is the most recent; an empty slot is an empty string.
  using Slots = std::array<std::string, kRecentSlotCount>;

  // Fills the slots from the first eight lines of file (CR LF, LF or a lone CR end a line; a
  // missing line reads as empty; further lines are ignored).  A missing file, or one holding
  // nothing but blanks and control characters, empties every slot.  A file that exists but cannot
  // be read throws EInOutError and empties every slot.
  void loadRecentList(const std::filesystem::path& file);

  // Records a document just opened.  A path already in slot i swaps places with slot 0 (nothing
  // else moves); any other path enters slot 0, the others move down one and slot 7 is dropped.
  // Comparison is exact, so two spellings of one path take two slots.  An empty path, or one
  // holding a line break or NUL that rec.lst could not keep as one line, is not recorded: returns false.
  bool addRecentFile(std::string_view path);

  // Writes the eight slots joined by CR LF, no line break after the last, bytes as they are.
  // The folder is created when missing.  Throws EInOutError when the file cannot be written.
  void saveRecentList(const std::filesystem::path& file) const;

  const Slots& slots() const { return slots_; }
  const std::string& slot(std::size_t index) const { return slots_.at(index); }

 private:
  Slots slots_;
};

// The caption of the menu item showing path: each "&" doubled, so the menu shows the path as it is
// instead of taking the character after "&" as the item's key.
std::string recentItemCaption(std::string_view path);

// The path behind a chosen item's caption: the key markers that the caption or the desktop's menu
// added are removed ("&&" stands for one "&", a single "&" marks a key and goes).
std::string recentItemPath(std::string_view caption);

// The message shown when a chosen recent document no longer exists (lines end in LF, the line
// break of this platform's message boxes).
inline constexpr std::string_view kRecentFileNotFound =
    "File not found.\nMaybe it was moved or renamed,\nplease check.";

}  // namespace vellumine
