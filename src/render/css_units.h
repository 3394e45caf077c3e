// Numbers and colours as the page's CSS writes them: Word's units turned into px at 96 to the
// inch (twips / 15, EMU / 9525, eighths of a point / 6) and pt, at most two decimals, written
// without the locale ("7.2px", "10.5pt", "#1F4E79").
#pragma once
#include <cstdint>
#include <string>

namespace vellumine::render {

// value / 100 with the trailing zeros of its decimals dropped: 720 -> "7.2", -5 -> "-0.05".
void appendHundredths(std::string& out, long long hundredths);
// A whole number.
void appendInteger(std::string& out, long long value);

// n / d in hundredths, rounded half away from zero (d > 0).
long long hundredthsOf(long long n, long long d);

void appendTwipsPx(std::string& out, long long twips);          // "96px"
void appendHalfPointsPt(std::string& out, long long halfPoints); // "11pt"
void appendEmuPx(std::string& out, long long emu);              // "200px"
void appendEighthsPx(std::string& out, long long eighths);      // a border width, "0.67px"
void appendColor(std::string& out, std::uint32_t rgb);          // "#1F4E79"

// Whether white text reads better than black on this fill.
bool isDarkFill(std::uint32_t rgb);

}  // namespace vellumine::render
