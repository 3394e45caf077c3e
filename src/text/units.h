// Twips, half-points and fiftieths of a percent to the pixel and percent texts of the HTML.
#pragma once
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
// The integer nearest to num / den (den > 0), an exact half going to the even neighbour.
long long NearestQuotient(long long num, long long den);
// The decimal text of value ("-12"), written without the locale.
std::string DecimalText(long long value);

std::string TwipsToPx(std::string_view text);       // "1440" -> "96"; never 0 for a non-zero length
std::string HalfPointsToPx(std::string_view text);  // "24" -> "16px"
std::string WidthToCss(std::string_view element);   // <tblW w=".." type=".."/> -> "100%", "96px", "100"
// Every match of regex's current pattern in text becomes prefix + TwipsToPx(group) + suffix.
void ConvertMatchesToPx(TWSRegEx& regex, std::string& text, int group, std::string_view prefix,
                        std::string_view suffix);

}  // namespace vellumine
