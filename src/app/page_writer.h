// Every page the program writes leaves through here: word/doc.html, Save As HTML and each output
// of vellumine-convert (file, batch folder, standard output).  The sanitiser runs last, on the
// very bytes that are written, and nothing turns it off.
#pragma once
#include <cstdio>
#include <filesystem>
#include <string>

namespace vellumine {

// Writes the sanitised page to target; throws EInOutError as WriteTextFile does.
void writePage(const std::filesystem::path& target, std::string page);

// The same to an open stream (standard output); throws EInOutError when the stream fails.
void writePage(std::FILE* stream, std::string page);

}  // namespace vellumine
