// The columns are the series of every plot in order (a scatter series shows its x values first);
// the rows follow the longest series.
#include "render/chart_table.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "render/chart_number_format.h"
#include "render/css_units.h"
#include "render/html_escape.h"

namespace vellumine::render {

namespace {

constexpr std::string_view kTitleStyle = "display:block;font-weight:bold;margin-bottom:2px";
constexpr std::string_view kTableStyle = "display:table;border-collapse:collapse;font-size:9pt";
constexpr std::string_view kRowStyle = "display:table-row";
constexpr std::string_view kCellStyle = "display:table-cell;border:1px solid #BFBFBF;padding:1px 4px";
constexpr std::string_view kNumberStyle = "display:table-cell;border:1px solid #BFBFBF;padding:1px 4px;text-align:right";
constexpr std::string_view kHeadStyle = "display:table-cell;border:1px solid #BFBFBF;padding:1px 4px;font-weight:bold";

struct Column {
  std::string head;
  const std::vector<double>* values;
};

void openSpan(std::string& out, std::string_view style) {
  out += "<span style=\"";
  out += style;
  out += "\">";
}

void cell(std::string& out, std::string_view style, std::string_view text) {
  openSpan(out, style);
  appendHtmlText(out, text);
  out += "</span>";
}

std::vector<Column> columnsOf(const docx::Chart& chart) {
  std::vector<Column> columns;
  for (const docx::ChartPlot& plot : chart.plots) {
    for (const docx::ChartSeries& series : plot.series) {
      if (!series.xValues.empty()) columns.push_back(Column{series.name + " (x)", &series.xValues});
      columns.push_back(Column{series.name, &series.values});
    }
  }
  return columns;
}

const std::vector<std::string>* categoriesOf(const docx::Chart& chart) {
  for (const docx::ChartPlot& plot : chart.plots) {
    if (!plot.categories.empty()) return &plot.categories;
  }
  return nullptr;
}

}  // namespace

void appendChartTable(std::string& out, const docx::Chart& chart) {
  openSpan(out, kTitleStyle);
  appendHtmlText(out, chart.title.empty() ? std::string_view("Chart") : std::string_view(chart.title));
  out += "</span>";
  const std::vector<Column> columns = columnsOf(chart);
  const std::vector<std::string>* categories = categoriesOf(chart);
  std::size_t rows = categories ? categories->size() : 0;
  for (const Column& column : columns) rows = std::max(rows, column.values->size());
  if (columns.empty() || rows == 0) {
    openSpan(out, "display:block");
    out += "(no data)</span>";
    return;
  }
  openSpan(out, kTableStyle);
  openSpan(out, kRowStyle);
  cell(out, kHeadStyle, "");
  const std::size_t shownColumns = std::min(columns.size(), kMaxTableColumns);
  for (std::size_t c = 0; c < shownColumns; ++c) cell(out, kHeadStyle, columns[c].head);
  if (columns.size() > shownColumns) cell(out, kHeadStyle, "+" + std::to_string(columns.size() - shownColumns) + " more");
  out += "</span>";
  const std::size_t shownRows = std::min(rows, kMaxTableRows);
  for (std::size_t r = 0; r < shownRows; ++r) {
    openSpan(out, kRowStyle);
    const bool named = categories && r < categories->size() && !(*categories)[r].empty();
    cell(out, kHeadStyle, named ? (*categories)[r] : std::to_string(r + 1));
    for (std::size_t c = 0; c < shownColumns; ++c) {
      const std::vector<double>& values = *columns[c].values;
      const double value = r < values.size() ? values[r] : docx::kNoValue;
      cell(out, kNumberStyle, std::isnan(value) ? std::string() : formatChartNumber(value, chart.numberFormat));
    }
    if (columns.size() > shownColumns) cell(out, kCellStyle, "");
    out += "</span>";
  }
  if (rows > shownRows) {
    openSpan(out, kRowStyle);
    cell(out, kCellStyle, "+" + std::to_string(rows - shownRows) + " more rows");
    out += "</span>";
  }
  out += "</span>";
}

}  // namespace vellumine::render
