// Byte classification for the text layer: ASCII only, never the C library's locale (Qt sets the
// locale at start-up).  Bytes 128-255 are never letters, digits or blanks, so UTF-8 sequences pass
// through every classification and case folding untouched.
#pragma once
#include <cstdint>

namespace vellumine {

bool IsAsciiUpper(unsigned char c);
bool IsAsciiLower(unsigned char c);
bool IsAsciiLetter(unsigned char c);
bool IsAsciiDigit(unsigned char c);
bool IsAsciiHexDigit(unsigned char c);
bool IsAsciiSpace(unsigned char c);   // blank, \t \n \v \f \r
bool IsAsciiPunct(unsigned char c);
bool IsAsciiControl(unsigned char c);
unsigned char AsciiLower(unsigned char c);
unsigned char AsciiUpper(unsigned char c);

}  // namespace vellumine
