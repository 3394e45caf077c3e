// An XML part of a package as UTF-8, whatever encoding it was stored in: the one step every reader
// of document parts takes before it looks at the text (the pass table's part loading and the
// model's reader), so that everything after it, up to the written page, is UTF-8.
#pragma once
#include <stdexcept>
#include <string>
#include <string_view>

namespace vellumine {

// A part this program cannot read as text at all.
class EEncodingError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr std::string_view kEbcdicPartMessage =
    "A part of the document is written in EBCDIC, which this program cannot read.";

// The bytes of an XML part as stored, as UTF-8 with U+FFFD for every sequence that does not decode:
// - UTF-16 or UTF-32, told by a byte order mark or by how "<?" is written: converted;
// - an ASCII-compatible part whose declaration names another encoding (Shift_JIS, Big5, GBK,
//   windows-1252, ...): converted, the Windows superset standing for the labels writers use for
//   it (Shift_JIS is read as windows-31j, GB2312 as GBK, Big5 as Big5-HKSCS, EUC-KR as windows-949,
//   ISO-8859-1 as windows-1252);
// - UTF-8 (a byte order mark, a UTF-8 label, no declaration), and a label that names no encoding
//   iconv knows or one the declaration itself is not written in: read as UTF-8.
// The declaration's encoding says "UTF-8" whenever it named anything else; a part already in valid
// UTF-8 that says so (or says nothing) comes back unchanged, without a copy.  Throws
// EEncodingError (kEbcdicPartMessage) for EBCDIC.  Linear in the size of the part.
std::string xmlPartToUtf8(std::string bytes);

}  // namespace vellumine
