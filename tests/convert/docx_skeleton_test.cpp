// wrapHtmlDocument: the head, the default style sheet and the closing tags around the body.
#include "convert/docx_skeleton.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace vellumine {
namespace {

TEST(DocxSkeleton, Utf8HeadStyleSheetAndClosingTagsSurroundTheBody) {
  Conversion c;
  c.text = "<?xml?><document><body><p>x<lastRenderedPageBreak/>\n\ry</p><sectPr><pgSz/></sectPr></body></document>";
  wrapHtmlDocument(c);
  EXPECT_SAME_TEXT(c.text,
                   "<html>\r\n<head><meta charset=\"utf-8\"><title></title>\r\n<style>\r\n"
                   "p{margin-top:0px;margin-bottom:0px;font-family:'Times New Roman'}\r\n"
                   "ol,ul{margin-top:0px;margin-bottom:0px;margin-left:1em}\r\n"
                   "table{border-collapse:collapse;}\r\n"
                   "td{padding:1 2;border-color:gray;}\r\n"
                   "blockquote{margin-top:0px;margin-bottom:0px;disply:inline;}\r\n"
                   ".tab{margin-left:3em}</style></head><body><p>xy</p></div></body></html>");
}

}  // namespace
}  // namespace vellumine
