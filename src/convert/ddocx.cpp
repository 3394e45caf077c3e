// The conversion driver: the package parts are loaded into one Conversion and the passes of the
// table below rewrite its document text, in this fixed order, from document.xml into the HTML page.
// Each pass reads and rewrites c.text only; the order is the whole contract between them.
#include "convert/ddocx.h"

#include <array>
#include <string_view>

#include "convert/docx_clean.h"
#include "convert/docx_dropcap.h"
#include "convert/docx_field.h"
#include "convert/docx_img.h"
#include "convert/docx_link.h"
#include "convert/docx_list.h"
#include "convert/docx_page.h"
#include "convert/docx_para.h"
#include "convert/docx_run.h"
#include "convert/docx_skeleton.h"
#include "convert/docx_style.h"
#include "convert/docx_tab.h"
#include "convert/docx_table.h"
#include "convert/field_codes.h"
#include "convert/package_parts.h"
#include "convert/story_marks.h"
#include "convert/story_page.h"
#include "convert/story_parts.h"
#include "convert/word_prefix.h"
#include "convert/wordhtm.h"
#include "text/fileutil.h"

namespace vellumine {

namespace {

// The row "useOriginalPageSetting": the setting becomes the conversion's flag.
void takePageSetting(Conversion& c) { c.flags.useOriginalPageSetting = c.settings.useOriginalPageSetting; }

// The row "optimize": the setting becomes the flag, and the flag decides whether the optimiser runs.
void optimizeWhenChosen(Conversion& c) {
  c.flags.optimizeHtml = c.settings.optimizeHtml;
  if (c.flags.optimizeHtml) optimize(c);
}

// The passes in their order.  A row is added when its pass exists.
constexpr std::array kConversionSteps{
    ConversionStep{"Preparing conversion", "initConversion", initConversion},
    ConversionStep{"", "preClean", preClean},
    ConversionStep{"", "hideFieldCodes", hideFieldCodes},
    ConversionStep{"", "readPageSetup", readPageSetup},
    ConversionStep{"Parsing table", "convertTables", convertTables},
    ConversionStep{"ParsingList", "markListItems", markListItems},
    ConversionStep{"", "buildLists", buildLists},
    ConversionStep{"", "convertDropCaps", convertDropCaps},
    ConversionStep{"Parsing text", "convertParagraphs", convertParagraphs},
    ConversionStep{"", "finishRuns", finishRuns},
    ConversionStep{"", "convertTabs", convertTabs},
    ConversionStep{"", "convertLinks", convertLinks},
    ConversionStep{"", "convertDrawings", convertDrawings},
    ConversionStep{"Optimizing", "useOriginalPageSetting", takePageSetting},
    ConversionStep{"", "convertFields", convertFields},
    ConversionStep{"", "wrapHtmlDocument", wrapHtmlDocument},
    ConversionStep{"", "optimize", optimizeWhenChosen},
    ConversionStep{"", "reformat", reformat},
    ConversionStep{"Done", "", nullptr},
};

// A companion part as the passes read it: its names without "w:".
std::string companionText(std::string part) {
  normaliseWordPrefix(part);
  stripWordPrefix(part);
  return part;
}

}  // namespace

void loadDocumentParts(Conversion& c) {
  const MainDocumentParts main = findMainDocumentParts(c.packageFolder);
  loadPartTexts(c, {ReadWholeFile(main.document), ReadWholeFile(main.relationships),
                    ReadWholeFile(findPart(c.packageFolder, "word/styles.xml")),
                    ReadWholeFile(findPart(c.packageFolder, "word/numbering.xml"))});
}

void loadPartTexts(Conversion& c, PartTexts parts) {
  c.text = std::move(parts.document);
  normaliseWordPrefix(c.text);
  c.relationships = companionText(std::move(parts.relationships));
  c.styles = companionText(std::move(parts.styles));
  buildStyleSheet(c);
  c.numbering = companionText(std::move(parts.numbering));
}

void initConversion(Conversion& c) { c.flags = ConversionFlags{}; }

std::span<const ConversionStep> conversionSteps() { return kConversionSteps; }

void convert(Conversion& c) {
  for (const ConversionStep& step : kConversionSteps) {
    if (!step.stepText.empty() && c.showStep) c.showStep(step.stepText);
    if (step.run != nullptr) step.run(c);
  }
}

void convertDocument(Conversion& c) {
  if (!c.settings.includeStories) {
    convert(c);
    return;
  }
  // The sections are read from the main part before the passes rewrite it.
  convertDocument(c, readStoryTexts(findStorySources(c.packageFolder, c.relationships, c.text)));
}

void convertDocument(Conversion& c, StoryTexts stories) {
  if (c.settings.includeStories) moveCustomMarks(c.text);
  convert(c);
  if (!c.settings.includeStories) return;
  addStoriesToPage(c, convertStories(c, std::move(stories)));
}

std::string convertPackageFolder(const std::filesystem::path& packageFolder,
                                 const ConversionSettings& settings) {
  Conversion c;
  c.packageFolder = packageFolder;
  c.settings = settings;
  loadDocumentParts(c);
  convertDocument(c);
  std::string page = std::move(c.text);
  applyPageFrame(c, page);
  return page;
}

}  // namespace vellumine
