// Message formatting for the one error of the package layer whose text carries a path.
#include "package/zip_errors.h"

#include <system_error>

namespace vellumine {

namespace {

std::string openErrorText(const std::filesystem::path& path, int errorNumber) {
  std::string text = "Cannot open file \"";
  text += path.string();
  text += "\". ";
  text += std::generic_category().message(errorNumber);
  return text;
}

}  // namespace

EFOpenError::EFOpenError(const std::filesystem::path& path, int errorNumber)
    : std::runtime_error(openErrorText(path, errorNumber)) {}

}  // namespace vellumine
