// One outcome per chart part, kept by its name: the stored picture, the index of its data in
// Document::charts, or nothing (the part could not be read).
#include "app/chart_pass.h"

#include <map>
#include <optional>
#include <string>

#include "app/drawn_picture.h"
#include "docx/chart_reader.h"
#include "docx/reader.h"
#include "render/chart_svg.h"

namespace vellumine {

namespace {

struct ChartOutcome {
  std::string drawn;        // the stored picture's package path, or empty
  std::int32_t table = -1;  // index in Document::charts, or -1
};

double pixelsOf(std::int64_t emu) { return static_cast<double>(emu) / 9525.0; }

ChartOutcome outcomeFor(docx::Document& document, const docx::Drawing& drawing, const docx::PartSource& parts,
                        const std::filesystem::path& packageFolder, docx::Warnings& warnings) {
  std::optional<docx::Chart> chart =
      docx::readChartPart(parts, drawing.target, document.theme, document.settings, warnings);
  if (!chart) return {};
  if (const std::optional<std::string> svg =
          render::drawChartSvg(*chart, pixelsOf(drawing.widthEmu), pixelsOf(drawing.heightEmu))) {
    if (std::optional<std::string> stored = storeDrawnPicture(packageFolder, document.mainPart, *svg)) {
      return ChartOutcome{std::move(*stored), -1};
    }
  }
  // Not drawn, or the picture could not be kept: the data is shown instead.
  document.charts.push_back(std::move(*chart));
  return ChartOutcome{std::string(), static_cast<std::int32_t>(document.charts.size() - 1)};
}

}  // namespace

void drawDocumentCharts(docx::Document& document, const std::filesystem::path& packageFolder,
                        docx::Warnings& warnings) {
  const docx::PartSource parts = docx::folderPartSource(packageFolder);
  std::map<std::string, ChartOutcome> outcomes;
  for (std::size_t k = 0; k < document.drawings.size(); ++k) {
    if (document.drawings[k].kind != docx::DrawingKind::chart || document.drawings[k].target.empty()) continue;
    const std::string target = document.drawings[k].target;
    auto found = outcomes.find(target);
    if (found == outcomes.end()) {
      // outcomeFor may grow document.charts, never document.drawings.
      found = outcomes.emplace(target, outcomeFor(document, document.drawings[k], parts, packageFolder, warnings)).first;
    }
    document.drawings[k].drawn = found->second.drawn;
    document.drawings[k].chart = found->second.table;
  }
}

}  // namespace vellumine
