// What a file that is no Word package fails with: the ENotAWordDocument family and its fixed
// messages, all on this screen.  The window shows what() in its message box, the command line
// prints it after the file's name.
#pragma once
#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vellumine {

inline constexpr std::string_view kEncryptedDocumentMessage =
    "This document is protected by a password; Vellumine cannot open encrypted documents.";
inline constexpr std::string_view kWord97DocumentMessage = "This is a Word 97-2003 document (.doc), not a .docx.";
inline constexpr std::string_view kRtfDocumentMessage = "This is an RTF document (.rtf), not a .docx.";
inline constexpr std::string_view kPdfDocumentMessage = "This is a PDF document (.pdf), not a .docx.";
inline constexpr std::string_view kHtmlPageMessage = "This is an HTML page, not a .docx.";
inline constexpr std::string_view kNoWordDocumentMessage = "This package holds no Word document.";
// An OpenDocument package of a kind the table below does not name.
inline constexpr std::string_view kOpenDocumentMessage = "This is an OpenDocument file, not a .docx.";

// The OpenDocument kinds by the end of their media type, the text of the package's "mimetype".
inline constexpr std::string_view kOpenDocumentMediaTypePrefix = "application/vnd.oasis.opendocument.";
struct OpenDocumentKind {
  std::string_view mediaSubtype;
  std::string_view message;
};
inline constexpr std::array<OpenDocumentKind, 13> kOpenDocumentKinds{{
    {"text", "This is an OpenDocument text (.odt), not a .docx."},
    {"text-template", "This is an OpenDocument text template (.ott), not a .docx."},
    {"text-master", "This is an OpenDocument master document (.odm), not a .docx."},
    {"spreadsheet", "This is an OpenDocument spreadsheet (.ods), not a .docx."},
    {"spreadsheet-template", "This is an OpenDocument spreadsheet template (.ots), not a .docx."},
    {"presentation", "This is an OpenDocument presentation (.odp), not a .docx."},
    {"presentation-template", "This is an OpenDocument presentation template (.otp), not a .docx."},
    {"graphics", "This is an OpenDocument drawing (.odg), not a .docx."},
    {"graphics-template", "This is an OpenDocument drawing template (.otg), not a .docx."},
    {"chart", "This is an OpenDocument chart (.odc), not a .docx."},
    {"formula", "This is an OpenDocument formula (.odf), not a .docx."},
    {"image", "This is an OpenDocument image (.odi), not a .docx."},
    {"base", "This is an OpenDocument database (.odb), not a .docx."},
}};

class ENotAWordDocument : public std::runtime_error {
 public:
  explicit ENotAWordDocument(std::string_view message) : std::runtime_error(std::string(message)) {}
};

// A compound file holding an encrypted package (an EncryptionInfo stream at its root).
class EEncryptedDocument : public ENotAWordDocument {
 public:
  EEncryptedDocument() : ENotAWordDocument(kEncryptedDocumentMessage) {}
};

// Any other compound file.
class EWord97Document : public ENotAWordDocument {
 public:
  EWord97Document() : ENotAWordDocument(kWord97DocumentMessage) {}
};

// A file that begins as another format's files do.
enum class ForeignFormat { rtf, pdf, html };
class EForeignFormat : public ENotAWordDocument {
 public:
  explicit EForeignFormat(ForeignFormat found);
  ForeignFormat format;
};

// A package whose "mimetype" begins with kOpenDocumentMediaTypePrefix; mediaType is that text.
class EOpenDocument : public ENotAWordDocument {
 public:
  explicit EOpenDocument(std::string_view mediaTypeText);
  std::string mediaType;
};

// A package (an archive or a folder) without the main document part.
class ENoWordDocument : public ENotAWordDocument {
 public:
  ENoWordDocument() : ENotAWordDocument(kNoWordDocumentMessage) {}
};

}  // namespace vellumine
