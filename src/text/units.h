// Twips, half-points and fiftieths of a percent to the pixel and percent texts of the HTML.
#pragma once
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vellumine {

class TWSRegEx;

// A number that is not a decimal integer: "'12.5' is not a valid integer value".
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// 96 pixels per inch: 1440 twips per inch / 96.
inline constexpr int twipsPerPixel = 15;

// A signed 32-bit decimal integer (surrounding blanks allowed); anything else throws EConvertError.
int StrToInt(std::string_view text);

// A number as documents write it, with or without a decimal part ("9360", "9360.0", "-12.5",
// ".5"), kept as the exact fraction num / den (den a power of ten) so that it is rounded once, at
// the final division.  Surrounding blanks are allowed; the part before the point is within a
// 32-bit integer's range.
struct DecimalFraction {
  long long num = 0;
  long long den = 1;
};
// nullopt when the text is no such number (no digits, a second point, an exponent, a unit...).
std::optional<DecimalFraction> ReadDecimal(std::string_view text);
// The integer nearest to the number ("2.5" -> 2, "3.5" -> 4); a text that is no number throws
// StrToInt's EConvertError.
int StrToRoundedInt(std::string_view text);
// The integer nearest to num / den (den > 0), an exact half going to the even neighbour.
long long NearestQuotient(long long num, long long den);
// The decimal text of value ("-12"), written without the locale.
std::string DecimalText(long long value);

// These read a decimal part too ("9360.0" -> "624") and throw StrToInt's EConvertError for a text
// that is no number.
std::string TwipsToPx(std::string_view text);       // "1440" -> "96"; never 0 for a non-zero length
std::string HalfPointsToPx(std::string_view text);  // "24" -> "16px"
std::string WidthToCss(std::string_view element);   // <tblW w=".." type=".."/> -> "100%", "96px", "100"
// Every match of regex's current pattern in text becomes prefix + TwipsToPx(group) + suffix.
void ConvertMatchesToPx(TWSRegEx& regex, std::string& text, int group, std::string_view prefix,
                        std::string_view suffix);

}  // namespace vellumine
