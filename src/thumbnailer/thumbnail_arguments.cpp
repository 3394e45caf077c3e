#include "thumbnailer/thumbnail_arguments.h"

#include <string_view>

namespace vellumine {

namespace {

// Digits only, and a value in range: "0128" is 128, "12a", "-5", "" and "99999999999" are refused
// without overflowing on the way.
int parseSize(std::string_view text) {
  const std::string range = "the size (-s) is a number of pixels from " + std::to_string(kMinimumThumbnailSize) +
                            " to " + std::to_string(kMaximumThumbnailSize);
  if (text.empty()) throw ThumbnailUsageError(range);
  long value = 0;
  for (const char ch : text) {
    if (ch < '0' || ch > '9') throw ThumbnailUsageError(range);
    value = value * 10 + (ch - '0');
    if (value > kMaximumThumbnailSize) throw ThumbnailUsageError(range);
  }
  if (value < kMinimumThumbnailSize) throw ThumbnailUsageError(range);
  return static_cast<int>(value);
}

}  // namespace

ThumbnailArguments parseThumbnailArguments(const std::vector<std::string>& arguments) {
  ThumbnailArguments parsed;
  bool sizeGiven = false;
  bool optionsEnded = false;
  std::vector<std::string> paths;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& arg = arguments[i];
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && arg == "-s") {
      if (i + 1 >= arguments.size()) throw ThumbnailUsageError("-s needs a size");
      if (sizeGiven) throw ThumbnailUsageError("-s is given twice");
      parsed.size = parseSize(arguments[++i]);
      sizeGiven = true;
    } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
      throw ThumbnailUsageError("unknown option " + arg);
    } else {
      paths.push_back(arg);
    }
  }
  if (!sizeGiven) throw ThumbnailUsageError("no size given (-s SIZE)");
  if (paths.size() != 2) throw ThumbnailUsageError("an input document and an output file are needed");
  if (paths[0].empty() || paths[1].empty()) throw ThumbnailUsageError("an empty file name");
  parsed.input = paths[0];
  parsed.output = paths[1];
  return parsed;
}

}  // namespace vellumine
