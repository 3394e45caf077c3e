// Rejecting formatting changes: each paragraph that recorded a former formatting takes it back,
// wherever it stands (body, table cell, note, text box); the others keep theirs.
#include "docx/former_formatting.h"

#include <gtest/gtest.h>

#include "support/model_builder.h"

namespace vellumine::docx {
namespace {

ParagraphProps aligned(Justification justification) {
  ParagraphProps props;
  props.justification = justification;
  return props;
}

TEST(FormerFormatting, EveryStoryAndCellTakesBackItsFormerFormatting) {
  test::ModelBuilder b;
  const std::uint32_t centred = b.paragraphProps(aligned(Justification::center));
  const std::uint32_t right = b.paragraphProps(aligned(Justification::end));
  auto changed = [&](std::uint32_t now, std::uint32_t before) {
    Paragraph paragraph = b.paragraph();
    paragraph.props = now;
    paragraph.formerProps = before;
    return paragraph;
  };
  Document& document = b.document();
  document.body.blocks.push_back(Block{changed(centred, right)});
  document.body.blocks.push_back(Block{changed(centred, kSameParagraphProps)});
  document.body.blocks.push_back(Block{changed(right, 999'999)});  // damaged: no such formatting
  Table table = b.table({}, {{CellProps{}}});
  std::get<Paragraph>(table.rows[0].cells[0].blocks[0].node) = changed(right, centred);
  document.body.blocks.push_back(Block{std::move(table)});
  document.footnotes.emplace_back().story.blocks.push_back(Block{changed(centred, right)});
  document.textBoxes.emplace_back().blocks.push_back(Block{changed(right, centred)});

  restoreFormerParagraphFormatting(document);

  auto props = [](const Block& block) { return std::get<Paragraph>(block.node).props; };
  EXPECT_EQ(props(document.body.blocks[0]), right);
  EXPECT_EQ(props(document.body.blocks[1]), centred);
  EXPECT_EQ(props(document.body.blocks[2]), right);
  EXPECT_EQ(props(std::get<Table>(document.body.blocks[3].node).rows[0].cells[0].blocks[0]), centred);
  EXPECT_EQ(props(document.footnotes[0].story.blocks[0]), right);
  EXPECT_EQ(props(document.textBoxes[0].blocks[0]), centred);
}

}  // namespace
}  // namespace vellumine::docx
