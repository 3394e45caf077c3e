// The sanitiser: the last step before a page is written anywhere.  It removes everything that can
// run, load, frame, submit or navigate on its own, and never writes markup of its own: it deletes
// byte ranges and copies the rest unchanged, so a page without active content comes out as it
// went in.
//
// The page is read as UTF-8, the encoding every written page declares first (declareUtf8), and
// every other encoding declaration goes: a meta charset naming anything but UTF-8, any meta
// http-equiv (a Content-Type pragma among them), a UTF-16 byte order mark left at the start.
//
// Removed: script, iframe, frames, embed, form (its content stays), base, link, meta as above and
// meta refresh, style and title outside the head, textarea, xmp, noscript, noembed, noframes,
// plaintext's tag, SVG, MathML, template, object and applet with all they hold, comments, tags
// cut off by the end of the page, the ESC byte (ISO-2022-JP's shifts would let a browser read
// quotes and tags differently); every on... attribute, srcdoc, srcset, action, formaction, ping,
// data, xlink:href and the like; links that are not http, https, mailto or "#anchor", and the
// fields of mail links other than subject, body, cc and bcc (mail_link.h); sources that are not
// inside the page's folder or raster data: images; style attributes and style-sheet declarations
// that load or run something (css_policy.h).
#pragma once
#include <string>

namespace vellumine::html {

// The readings of the page that must find nothing active.  A browser reads a written page as the
// UTF-8 it declares; by default the page is also kept inert for one that decodes it as Shift_JIS,
// Big5, GBK or GB18030 all the same (a user's choice of encoding, a proxy that rewrites headers):
// style that such a reading would take apart otherwise goes too (css_policy.h).  Utf8Only judges
// the page as UTF-8 alone, for checks that compare what two readings of one page find.
enum class PageReadings : unsigned char { Utf8AndLegacyMultibyte, Utf8Only };

std::string sanitisePage(std::string page, PageReadings readings = PageReadings::Utf8AndLegacyMultibyte);

}  // namespace vellumine::html
