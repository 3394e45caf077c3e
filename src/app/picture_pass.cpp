// One look per distinct target: the result (the converted part, or the failure) is kept by target
// name, so a logo repeated in every header costs one conversion and one warning.
#include "app/picture_pass.h"

#include <map>
#include <optional>
#include <string>

#include "render/drawing_writer.h"

namespace vellumine {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

bool mayHoldPicture(const docx::Drawing& drawing) {
  return !drawing.target.empty() && drawing.textBox < 0 &&
         (drawing.kind == docx::DrawingKind::picture || drawing.kind == docx::DrawingKind::object ||
          drawing.kind == docx::DrawingKind::unknown);
}

// The converted part's name beside target.
std::string convertedTarget(const std::string& target, const fs::path& converted) {
  return target + converted.extension().string();
}

class PictureConverter {
 public:
  PictureConverter(const fs::path& packageFolder, const PicturePassLimits& limits)
      : packageFolder_(packageFolder), limits_(limits), deadline_(Clock::now() + limits.total) {}

  // What target becomes: itself (nothing to convert), its converted part, or nullopt (failed).
  const std::optional<std::string>& resultFor(const std::string& target) {
    auto [it, added] = results_.try_emplace(target);
    if (added) it->second = convert(target);
    return it->second;
  }

 private:
  std::optional<std::string> convert(const std::string& target) {
    const fs::path source = packageFolder_ / fs::path(target);
    if (Clock::now() >= deadline_) {
      // Past the budget only what needs no conversion (or was converted before) is shown.
      media::PictureLimits none = limits_.picture;
      none.maxInputBytes = 0;
      return outcome(target, media::convertPictureFile(source, none));
    }
    return outcome(target, media::convertPictureFile(source, limits_.picture));
  }

  static std::optional<std::string> outcome(const std::string& target, const media::ConvertedPicture& picture) {
    switch (picture.state) {
      case media::PictureState::notConverted: return target;
      case media::PictureState::converted: return convertedTarget(target, picture.path);
      case media::PictureState::failed: return std::nullopt;
    }
    return target;
  }

  const fs::path& packageFolder_;
  const PicturePassLimits& limits_;
  const Clock::time_point deadline_;
  std::map<std::string, std::optional<std::string>> results_;
};

}  // namespace

void convertDocumentPictures(docx::Document& document, const fs::path& packageFolder, docx::Warnings& warnings,
                             const PicturePassLimits& limits) {
  PictureConverter converter(packageFolder, limits);
  std::map<std::string, bool> reported;
  for (docx::Drawing& drawing : document.drawings) {
    if (!mayHoldPicture(drawing) || !render::pagePicturePath(document.mainPart, drawing.target)) continue;
    const std::optional<std::string>& result = converter.resultFor(drawing.target);
    if (result) {
      drawing.target = *result;
      continue;
    }
    drawing.notConverted = true;
    if (!reported[drawing.target]) warnings.add(docx::WarningKind::pictureNotConverted, drawing.target);
    reported[drawing.target] = true;
  }
}

}  // namespace vellumine
