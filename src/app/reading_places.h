// Where the reader was in each of the documents read last, so that reopening one puts the reader
// back on the same block of its text at the same zoom.  Only the document's path and numbers are
// kept: nothing of its text.  The file lives in the state folder (places.lst), one document a line,
// most recent first:
//
//   BLOCK <TAB> Y <TAB> X <TAB> ZOOM <TAB> PATH
//
// BLOCK is the index of the text block at the top of the view, Y how far the view's top is into it
// and X the horizontal scroll, both in page pixels; ZOOM the view's factor.  The path comes last so
// that a tab in it needs no quoting.
#pragma once
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vellumine {

inline constexpr std::size_t kReadingPlacesKept = 50;

struct ReadingPlace {
  int block = 0;
  double y = 0;
  double x = 0;
  double zoom = 1.0;
  bool operator==(const ReadingPlace&) const = default;
};

class ReadingPlaces {
 public:
  // Reads the places of file.  A missing file gives none; a line that does not read as a place
  // (damaged, from another version, a value out of range) is skipped, so a bad line costs only
  // its own document.  Only the first kReadingPlacesKept good lines are kept.
  void load(const std::filesystem::path& file);

  // Replaces file with the places, most recent first, in one step (a crash never leaves half a
  // file).  Throws EInOutError when it cannot be written.
  void save(const std::filesystem::path& file) const;

  // Records where the reader is in document, which becomes the most recent; the least recent
  // falls off past kReadingPlacesKept.  A path that a line could not hold (a line break, NUL) or
  // an empty one is not recorded: returns false.  Numbers out of range are brought into it.
  bool remember(const std::string& document, const ReadingPlace& place);

  // The place kept for document, if any.
  std::optional<ReadingPlace> find(std::string_view document) const;

  std::size_t size() const { return entries_.size(); }

 private:
  struct Entry {
    std::string document;
    ReadingPlace place;
  };
  std::vector<Entry> entries_;  // most recent first
};

// The name a document is kept under: its absolute path with symbolic links and "." and ".."
// steps resolved where they exist, so two spellings of one file share a place.
std::string readingPlaceKey(const std::filesystem::path& document);

}  // namespace vellumine
