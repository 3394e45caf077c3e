#include "docx/former_formatting.h"

#include "docx/paragraph_walk.h"

namespace vellumine::docx {

void restoreFormerParagraphFormatting(Document& document) {
  const std::size_t known = document.paragraphProps.items.size();
  forEachStory(document, [known](Story& story) {
    forEachParagraph(story, [known](Paragraph& paragraph) {
      if (paragraph.formerProps != kSameParagraphProps && paragraph.formerProps < known) {
        paragraph.props = paragraph.formerProps;
      }
    });
  });
}

}  // namespace vellumine::docx
