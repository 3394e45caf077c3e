// The state of one conversion: the document text every pass rewrites, the companion parts, the
// page geometry, the style table, the flags and the shared regex.  One object per conversion,
// passed by reference to every pass, so conversions on several threads never share anything.
#pragma once
#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "text/wsregex.h"

namespace vellumine {

// One style definition of the style part: its id and ten CSS declaration slots.
struct styleEntry {
  std::string styleId;
  std::array<std::string, 10> slots;
};

// The inputs of a conversion: the states of the window's menu check items, or the CLI's options.
// The caller sets them before converting; no pass reads them.  The pass table copies the first two
// into the flags below at its named rows, and convertDocument reads includeStories.
struct ConversionSettings {
  bool optimizeHtml = true;             // "&Optimize HTML"
  bool useOriginalPageSetting = true;   // "Use Original Page Setting"
  // "&Notes, Comments and Headers": the whole document on the page; off, the main part alone.
  bool includeStories = true;
};

// The state the passes read, set by the pass table (ddocx.cpp) and nowhere else: its row
// "initConversion" puts every flag back to the value below, the row "useOriginalPageSetting"
// copies that setting, and the row "optimize" copies optimizeHtml just before it decides whether
// the optimiser runs.  A pass run on its own (tests, benchmarks) sees the values below, as it
// would right after initConversion.
struct ConversionFlags {
  bool useOriginalPageSetting = true;  // no pass reads it; the window restyles from its setting
  bool optimizeHtml = false;
  bool cellPropertiesEnabled = true;   // false: the table pass deletes cell property blocks
};

struct Conversion {
  Conversion();

  std::filesystem::path packageFolder;  // the extracted package

  std::string text;           // the document text: document.xml at first, the HTML at the end
  std::string relationships;  // word/_rels/document.xml.rels without "w:"
  std::string styles;         // word/styles.xml without "w:"
  std::string numbering;      // word/numbering.xml without "w:"
  std::vector<styleEntry> styleTable;

  // What a shading colour "auto" becomes in tables, cells and styles; the same in every conversion.
  std::string autoShadeColour = "#eeeeee";
  std::string pageWidth, pageHeight;
  std::string marginTop, marginRight, marginBottom, marginLeft;

  ConversionSettings settings;
  ConversionFlags flags;
  bool hasListItems = false;  // the list passes' own: whether the document has numbering at all

  // Called with each step text of the pass table; the window advances its gauge by 10.
  std::function<void(std::string_view stepText)> showStep;

  // The shared regex: caseless, dot matches line breaks, no empty matches.
  TWSRegEx regex;
};

}  // namespace vellumine
