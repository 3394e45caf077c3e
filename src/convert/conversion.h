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

// The states of the menu check items the converter reads.
struct ConversionSettings {
  bool optimizeHtml = true;             // "&Optimize HTML"
  bool useOriginalPageSetting = true;   // "Use Original Page Setting"
  // "&Notes, Comments and Headers": the whole document on the page; off, the main part alone.
  bool includeStories = true;
};

struct Conversion {
  Conversion();

  std::filesystem::path packageFolder;  // the extracted package

  std::string text;           // the document text: document.xml at first, the HTML at the end
  std::string relationships;  // word/_rels/document.xml.rels without "w:"
  std::string styles;         // word/styles.xml without "w:"
  std::string numbering;      // word/numbering.xml without "w:"
  std::vector<styleEntry> styleTable;

  std::string autoShadeColour = "#eeeeee";
  std::string pageWidth, pageHeight;
  std::string marginTop, marginRight, marginBottom, marginLeft;
  std::string documentEncoding;

  bool useOriginalPageSetting = true;
  bool optimizeHtml = false;
  bool cellPropertiesEnabled = true;
  bool hasListItems = false;

  ConversionSettings settings;
  // Called with each step text of the pass table; the window advances its gauge by 10.
  std::function<void(std::string_view stepText)> showStep;

  // The shared regex: caseless, dot matches line breaks, no empty matches.
  TWSRegEx regex;
};

}  // namespace vellumine
