// The document as it was before its tracked formatting changes, for the view that rejects every
// change: each paragraph takes back the formatting its w:pPrChange recorded.  (Runs keep both
// formattings in the model and the writer picks; paragraphs are resolved before the writer runs,
// by the list numbering among others, so they are switched here, before anything is resolved.)
#pragma once
#include "docx/model.h"

namespace vellumine::docx {

// Every paragraph of every story with a recorded former formatting takes it as its own; the
// rest are left alone.  Linear in the document's paragraphs.
void restoreFormerParagraphFormatting(Document& document);

}  // namespace vellumine::docx
