// Desktop integration: the .docx association as a handler entry plus a default in mimeapps.list,
// its removal, and the launchers.  Everything is per user; files of other programs are only read,
// and mimeapps.list is changed in the one line that names the .docx default.
#include "app/shortcut.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "app/desktop_entry.h"
#include "app/keyfile.h"
#include "app/user_file.h"
#include "text/fileutil.h"
#include "text/strutil.h"

namespace vellumine {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kDefaultsGroup = "Default Applications";
constexpr std::string_view kEntryGroup = "Desktop Entry";
constexpr std::string_view kDesktopDirKey = "XDG_DESKTOP_DIR=";

struct ExtensionType {
  std::string_view extension;
  std::string_view mimeType;
};
constexpr ExtensionType kExtensionTypes[] = {{".docx", kDocxMimeType}};

std::string_view mimeTypeOf(std::string_view extension) {
  for (const ExtensionType& known : kExtensionTypes) {
    if (known.extension == extension) return known.mimeType;
  }
  throw std::invalid_argument("No desktop type known for the extension '" + std::string(extension) + "'");
}

fs::path homeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home == '/') return home;
  if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir != nullptr)
    return user->pw_dir;
  return fs::temp_directory_path();
}

// $name when it holds an absolute path (relative values are invalid and ignored), else the
// default below the home folder.
fs::path xdgFolder(const char* name, const fs::path& belowHome) {
  const char* value = std::getenv(name);
  if (value != nullptr && *value == '/') return value;
  return homeFolder() / belowHome;
}

// The quoted value of an XDG_DESKTOP_DIR line: "$HOME/..." or an absolute path, with the shell's
// backslash escapes undone.  Anything else is invalid: nullopt.
std::optional<fs::path> parseUserDir(std::string_view quoted) {
  if (quoted.size() < 2 || quoted.front() != '"') return std::nullopt;
  std::string value;
  for (std::size_t i = 1; i < quoted.size(); ++i) {
    char c = quoted[i];
    if (c == '"') break;
    if (c == '\\' && i + 1 < quoted.size()) c = quoted[++i];
    value += c;
  }
  constexpr std::string_view kHome = "$HOME";
  if (value.starts_with(kHome) && (value.size() == kHome.size() || value[kHome.size()] == '/')) {
    return homeFolder() / fs::path(value.substr(kHome.size())).relative_path();
  }
  if (!value.empty() && value.front() == '/') return fs::path(value);
  return std::nullopt;
}

fs::path desktopFolder(const fs::path& configHome) {
  std::string text;
  if (ReadUserFile(configHome / "user-dirs.dirs", text, 1 << 20) == FileRead::Read) {
    for (const std::string& line : SplitText(text, "\n")) {
      std::string_view s = line;
      s.remove_prefix(std::min(s.find_first_not_of(" \t"), s.size()));
      if (!s.starts_with(kDesktopDirKey)) continue;
      if (auto folder = parseUserDir(s.substr(kDesktopDirKey.size()))) return *folder;
    }
  }
  return homeFolder() / "Desktop";
}

// The desktop ids of a default value ("a.desktop;b.desktop;"), blanks and empty items dropped.
std::vector<std::string> desktopIds(std::string_view value) {
  std::vector<std::string> ids;
  for (const std::string& item : SplitText(value, ";")) {
    std::size_t first = item.find_first_not_of(" \t");
    if (first == std::string::npos) continue;
    ids.push_back(item.substr(first, item.find_last_not_of(" \t") - first + 1));
  }
  return ids;
}

// The default names our handler entry and nothing else, and that entry runs this executable.
bool namesThisExecutable(const std::vector<std::string>& ids, const fs::path& handler,
                         const fs::path& executable) {
  if (ids.size() != 1 || ids.front() != kHandlerEntryName) return false;
  std::string entry;
  if (ReadUserFile(handler, entry, 1 << 20) != FileRead::Read) return false;
  return keyFileValue(entry, kEntryGroup, "Exec") == execValue(executable, true);
}

// Puts a file back as it was before a failed association: its old bytes, or no file at all.
void restoreFile(const fs::path& path, FileRead before, const std::string& oldBytes) {
  try {
    if (before == FileRead::Read) {
      ReplaceFileContents(path, oldBytes);
    } else {
      std::error_code ec;
      fs::remove(path, ec);
    }
  } catch (const EInOutError&) {
    // The association is reported as denied either way; a leftover handler entry only lists the type.
  }
}

}  // namespace

DesktopFolders locateDesktopFolders() {
  const fs::path configHome = xdgFolder("XDG_CONFIG_HOME", ".config");
  DesktopFolders folders;
  folders.applications = xdgFolder("XDG_DATA_HOME", fs::path(".local") / "share") / "applications";
  folders.mimeAppsList = configHome / "mimeapps.list";
  folders.desktop = desktopFolder(configHome);
  return folders;
}

AssociateResult associateExtension(const DesktopFolders& folders, const fs::path& executable,
                                   std::string_view extension, const fs::path& icon) {
  const std::string_view mimeType = mimeTypeOf(extension);
  const fs::path handler = folders.applications / kHandlerEntryName;
  if (DeniesWriting(folders.mimeAppsList) || DeniesWriting(handler)) return AssociateResult::Denied;
  // Rewriting a list we could not read would drop every other program's defaults.
  std::string list;
  if (ReadUserFile(folders.mimeAppsList, list) == FileRead::Unreadable) return AssociateResult::Denied;
  std::string oldHandler;
  const FileRead handlerBefore = ReadUserFile(handler, oldHandler);

  try {
    ReplaceFileContents(handler, associationEntry(executable, icon));
  } catch (const EInOutError&) {
    return AssociateResult::Denied;
  }
  try {
    const std::string value = std::string(kHandlerEntryName) + ";";
    ReplaceFileContents(folders.mimeAppsList, setKeyFileValue(list, kDefaultsGroup, mimeType, value));
  } catch (const EInOutError&) {
    restoreFile(handler, handlerBefore, oldHandler);
    return AssociateResult::Denied;
  }
  return AssociateResult::Associated;
}

DeassociateResult deassociateExtension(const DesktopFolders& folders, const fs::path& executable,
                                       std::string_view extension) {
  const std::string_view mimeType = mimeTypeOf(extension);
  std::string list;
  if (ReadUserFile(folders.mimeAppsList, list) != FileRead::Read) return DeassociateResult::NotRegistered;
  const std::optional<std::string> value = keyFileValue(list, kDefaultsGroup, mimeType);
  if (!value) return DeassociateResult::NotRegistered;
  const std::vector<std::string> ids = desktopIds(*value);
  if (ids.empty()) return DeassociateResult::AssociatedWithNothing;
  const fs::path handler = folders.applications / kHandlerEntryName;
  if (!namesThisExecutable(ids, handler, executable)) return DeassociateResult::OtherProgram;

  if (DeniesWriting(folders.mimeAppsList) || DeniesWriting(handler)) return DeassociateResult::Denied;
  try {
    ReplaceFileContents(folders.mimeAppsList, setKeyFileValue(list, kDefaultsGroup, mimeType, ""));
  } catch (const EInOutError&) {
    return DeassociateResult::Denied;
  }
  // Left in place, the entry's type list would still let the desktop pick the viewer for .docx.
  std::error_code ec;
  fs::remove(handler, ec);
  return DeassociateResult::Deassociated;
}

bool createShortcut(const DesktopFolders& folders, const fs::path& executable, ShortcutFolder where,
                    const fs::path& icon) {
  const bool onDesktop = where == ShortcutFolder::Desktop;
  const fs::path file = (onDesktop ? folders.desktop : folders.applications) / kShortcutName;
  if (DeniesWriting(file)) return false;
  try {
    ReplaceFileContents(file, launcherEntry(executable, icon), onDesktop ? 0755 : 0644);
  } catch (const EInOutError&) {
    return false;
  }
  if (onDesktop) {
    // File managers start a launcher on the desktop only when it is executable.
    std::error_code ec;
    fs::permissions(file, fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                    fs::perm_options::add, ec);
  }
  return true;
}

std::string_view associateMessage(AssociateResult result) {
  switch (result) {
    case AssociateResult::Associated: return "Docx file associated successfully.";
    case AssociateResult::Denied: return "Association Denied. Please use Administrator account.";
  }
  return {};
}

std::string_view deassociateMessage(DeassociateResult result) {
  switch (result) {
    case DeassociateResult::NotRegistered: return "Docx not registered, no need to de-associated.";
    case DeassociateResult::OtherProgram:
      return "Docx file associated with other program. Vellumine will not perform de-association.";
    case DeassociateResult::AssociatedWithNothing:
      return "Docx file associated with nothing, no need to de-associate.";
    case DeassociateResult::Deassociated: return "De-associated successfully.";
    case DeassociateResult::Denied: return "De-association Denied. Please use Administrator account.";
  }
  return {};
}

}  // namespace vellumine
