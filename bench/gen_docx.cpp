// Writes a generated benchmark package (docgen) as an extracted folder, so that bench/compare.sh
// can zip it into a .docx for every converter.  Usage: gen_docx BYTES FOLDER
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <string_view>

#include "docgen.h"

int main(int argc, char** argv) {
  std::size_t bytes = 0;
  const std::string_view size = argc == 3 ? argv[1] : "";
  if (std::from_chars(size.data(), size.data() + size.size(), bytes).ec != std::errc() || bytes == 0) {
    std::fputs("usage: gen_docx BYTES FOLDER\n", stderr);
    return 2;
  }
  const auto package = vellumine::bench::generatePackage(bytes);
  vellumine::bench::writePackageFolder(package, argv[2]);
  std::printf("%zu bytes of document XML in %s\n", package.document.size(), argv[2]);
  return 0;
}
