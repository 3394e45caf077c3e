// The messages of the errors whose text depends on what was found: the foreign format, and the
// OpenDocument kind named by the end of the package's media type (compared without case, as
// media types are).
#include "app/document_kind_errors.h"

#include "text/chartype.h"

namespace vellumine {

namespace {

std::string_view foreignFormatMessage(ForeignFormat format) {
  switch (format) {
    case ForeignFormat::rtf:
      return kRtfDocumentMessage;
    case ForeignFormat::pdf:
      return kPdfDocumentMessage;
    case ForeignFormat::html:
      return kHtmlPageMessage;
  }
  return kNoWordDocumentMessage;  // not reached: every format has its message
}

std::string_view openDocumentMessage(std::string_view mediaType) {
  const std::string_view subtype = EqualsCaselessAt(mediaType, 0, kOpenDocumentMediaTypePrefix)
                                       ? mediaType.substr(kOpenDocumentMediaTypePrefix.size())
                                       : std::string_view();
  for (const OpenDocumentKind& kind : kOpenDocumentKinds) {
    if (EqualsCaseless(kind.mediaSubtype, subtype)) return kind.message;
  }
  return kOpenDocumentMessage;
}

}  // namespace

EForeignFormat::EForeignFormat(ForeignFormat found) : ENotAWordDocument(foreignFormatMessage(found)), format(found) {}

EOpenDocument::EOpenDocument(std::string_view mediaTypeText)
    : ENotAWordDocument(openDocumentMessage(mediaTypeText)), mediaType(mediaTypeText) {}

}  // namespace vellumine
