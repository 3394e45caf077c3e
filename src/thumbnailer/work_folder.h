// The private folder of one thumbnail run and what the two stages leave in it.  The parent makes
// and removes the folder; the stages, each in its own child, only write below it.
#pragma once
#include <filesystem>

namespace vellumine {

struct WorkFolder {
  std::filesystem::path root;

  std::filesystem::path package() const { return root / "package"; }
  // The page to draw, beside the page the viewer writes (word/doc.html), so that its media/
  // references resolve as they do there.
  std::filesystem::path page() const { return root / "package" / "word" / "thumbnail.htm"; }
  std::filesystem::path thumbnail() const { return root / "thumbnail.png"; }
  // Home of the browser engine's caches and settings, so that nothing is written anywhere else.
  std::filesystem::path engineHome() const { return root / "engine"; }
};

}  // namespace vellumine
