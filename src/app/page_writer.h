// Every page the program writes leaves through here: word/doc.html, Save As HTML and each output
// of vellumine-convert (file, batch folder, standard output).  Whichever engine made the page, it
// is UTF-8 and says so first in its head (declareUtf8); the sanitiser runs last, on the very bytes
// that are written, and nothing turns either off.
#pragma once
#include <cstdio>
#include <filesystem>
#include <string>

namespace vellumine {

// The bytes writePage writes for page: declared UTF-8, then sanitised.
std::string finishedPage(std::string page);

// Writes the declared and sanitised page to target; throws EInOutError as WriteTextFile does.
void writePage(const std::filesystem::path& target, std::string page);

// The same to an open stream (standard output); throws EInOutError when the stream fails.
void writePage(std::FILE* stream, std::string page);

}  // namespace vellumine
