// Arbitrary bytes through the chart reader and the chart drawing: the first two bytes give the
// drawing's width and height (in 16 px steps, 0: none), the rest is a chart part, read as
// word/charts/chart1.xml is.  A chart drawn must be SVG the page can take (well-formed, within the
// cleaner's size); one not drawn is written as its data table.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "docx/chart_reader.h"
#include "docx/xml_part.h"
#include "media/svg_cleaner.h"
#include "render/chart_svg.h"
#include "render/chart_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const double width = data[0] * 16.0, height = data[1] * 16.0;
  vellumine::docx::Warnings warnings;
  const vellumine::docx::XmlPart part("word/charts/chart1.xml",
                                      std::string(reinterpret_cast<const char*>(data + 2), size - 2), warnings);
  const std::optional<vellumine::docx::Chart> chart =
      vellumine::docx::readChart(part.root(), vellumine::docx::Theme{}, vellumine::docx::Settings{}, warnings);
  if (!chart) return 0;
  if (const std::optional<std::string> svg = vellumine::render::drawChartSvg(*chart, width, height)) {
    if (!vellumine::media::cleanSvg(*svg)) std::abort();
    return 0;
  }
  std::string table;
  vellumine::render::appendChartTable(table, *chart);
  if (table.empty()) std::abort();
  return 0;
}
