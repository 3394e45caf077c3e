// The sanitiser: the last step before a page is written anywhere.  It removes everything that can
// run, load, frame, submit or navigate on its own, and never writes markup of its own: it deletes
// byte ranges and copies the rest unchanged, so a page without active content comes out as it
// went in.
//
// Removed: script, iframe, frames, embed, form (its content stays), base, link, meta other than
// Content-Type, style and title outside the head, textarea, xmp, noscript, noembed, noframes,
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

std::string sanitisePage(std::string page);

}  // namespace vellumine::html
