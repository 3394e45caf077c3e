// declareUtf8: where the declaration goes in pages of every shape (always ending within the bytes
// a browser looks at), and the pages that already have it.
#include "html/charset_declaration.h"

#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"

namespace vellumine::html {
namespace {

constexpr std::string_view kMeta = kUtf8Declaration;

// A start tag of about n bytes.
std::string longTag(std::string_view name, std::size_t n) {
  return "<" + std::string(name) + " data-x=\"" + std::string(n, 'a') + "\">";
}

struct DeclarationCase {
  std::string name, input, expected;
};

const DeclarationCase kDeclarationCases[] = {
    {"ConvertedPageAlreadySaysUtf8", "<html>\r\n<head><meta charset=\"utf-8\"><title></title>",
     "<html>\r\n<head><meta charset=\"utf-8\"><title></title>"},
    {"DeclarationInOtherCaseAfterSpaceCounts", "<html>\n<head>\n<META Charset=UTF-8>\n<title>",
     "<html>\n<head>\n<META Charset=UTF-8>\n<title>"},
    {"HeadWithoutDeclarationGetsItFirst", "<html><head><title></title>",
     "<html><head>" + std::string(kMeta) + "<title></title>"},
    {"AfterDoctypeHtmlAndHeadWithAttributes", "<!DOCTYPE html>\n<html lang=\"ja\">\n<head id=h>\n<title>",
     "<!DOCTYPE html>\n<html lang=\"ja\">\n<head id=h>" + std::string(kMeta) + "\n<title>"},
    {"CommentsBeforeTheHeadAreSteppedOver", "<!-- a --><html><!-- b --><head><p>",
     "<!-- a --><html><!-- b --><head>" + std::string(kMeta) + "<p>"},
    {"WithoutHeadAfterHtml", "<html><body>x", "<html>" + std::string(kMeta) + "<body>x"},
    {"FragmentGetsItAtTheStart", "<p>x</p>", std::string(kMeta) + "<p>x</p>"},
    {"TextFirstGetsItAtTheStart", "x<html><head>", std::string(kMeta) + "x<html><head>"},
    {"EmptyPage", "", std::string(kMeta)},
    {"Utf8ByteOrderMarkStaysFirst", "\xEF\xBB\xBF<p>x", "\xEF\xBB\xBF" + std::string(kMeta) + "<p>x"},
    {"Utf16ByteOrderMarkIsNoLongerFirst", "\xFF\xFE<html><head>", std::string(kMeta) + "\xFF\xFE<html><head>"},
    {"AnotherCharsetFirstGetsOursBeforeIt", "<html><head><meta charset=\"shift_jis\">",
     "<html><head>" + std::string(kMeta) + "<meta charset=\"shift_jis\">"},
    {"ContentTypePragmaIsNotADeclarationOfOurs",
     "<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">",
     "<head>" + std::string(kMeta) + "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"},
    {"SecondHtmlTagAfterTheHeadIsContent", "<head><html><title>", "<head>" + std::string(kMeta) + "<html><title>"},
    // The declaration must end within the first 1024 bytes.
    {"LongHtmlTagPutsItAfterTheDoctype", "<!DOCTYPE html>" + longTag("html", 1100) + "<head>",
     "<!DOCTYPE html>" + std::string(kMeta) + longTag("html", 1100) + "<head>"},
    {"LongHeadTagPutsItAfterHtml", "<html>" + longTag("head", 1010), "<html>" + std::string(kMeta) + longTag("head", 1010)},
    {"DeclarationPastTheWindowDoesNotCount", "<html>" + longTag("head", 1000) + "<meta charset=utf-8>",
     "<html>" + std::string(kMeta) + longTag("head", 1000) + "<meta charset=utf-8>"},
    {"LongDoctypePutsItAtTheStart", "<!DOCTYPE " + std::string(1100, 'x') + "><html>",
     std::string(kMeta) + "<!DOCTYPE " + std::string(1100, 'x') + "><html>"},
};

class CharsetDeclaration : public testing::TestWithParam<DeclarationCase> {};

TEST_P(CharsetDeclaration, GoesFirstInTheHead) { EXPECT_SAME_TEXT(declareUtf8(GetParam().input), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(Cases, CharsetDeclaration, testing::ValuesIn(kDeclarationCases), vellumine::test::caseName);

}  // namespace
}  // namespace vellumine::html
