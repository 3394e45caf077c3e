// Tying the viewer into the desktop: making it the default program for .docx files (a handler
// entry vellumine.desktop named as the default in the user's mimeapps.list), undoing that, and
// putting a launcher Vellumine.desktop on the desktop or in the applications menu.
#pragma once
#include <filesystem>
#include <string_view>

namespace vellumine {

// The per-user places the desktop reads, from the XDG variables (unset or relative values fall
// back to the defaults below the home folder).
struct DesktopFolders {
  std::filesystem::path applications;  // $XDG_DATA_HOME/applications (~/.local/share/applications)
  std::filesystem::path mimeAppsList;  // $XDG_CONFIG_HOME/mimeapps.list (~/.config/mimeapps.list)
  std::filesystem::path desktop;       // XDG_DESKTOP_DIR of $XDG_CONFIG_HOME/user-dirs.dirs, else ~/Desktop
};
DesktopFolders locateDesktopFolders();

enum class AssociateResult { Associated, Denied };
enum class DeassociateResult { NotRegistered, OtherProgram, AssociatedWithNothing, Deassociated, Denied };
enum class ShortcutFolder { Desktop, Programs };

inline constexpr std::string_view kHandlerEntryName = "vellumine.desktop";
inline constexpr std::string_view kShortcutName = "Vellumine.desktop";

// Writes the handler entry for executable (with icon, when given) and names it the default for
// extension's type.  Denied, with nothing changed, when the mode bits keep either file from being
// written or mimeapps.list exists but cannot be read.  Throws std::invalid_argument for an
// extension other than ".docx".
AssociateResult associateExtension(const DesktopFolders& folders, const std::filesystem::path& executable,
                                   std::string_view extension, const std::filesystem::path& icon = {});

// Clears the default for extension's type only when it names the handler entry alone and that
// entry runs this very executable; then the handler entry is removed too, so the desktop no longer
// offers it for the type.  A default naming another program is left alone.
DeassociateResult deassociateExtension(const DesktopFolders& folders, const std::filesystem::path& executable,
                                       std::string_view extension);

// Writes the launcher into the desktop folder or the applications folder, replacing an earlier
// one.  False when the folder or the file cannot be written.
bool createShortcut(const DesktopFolders& folders, const std::filesystem::path& executable,
                    ShortcutFolder where, const std::filesystem::path& icon = {});

std::string_view associateMessage(AssociateResult result);
std::string_view deassociateMessage(DeassociateResult result);

inline constexpr std::string_view kAssociateQuestion = "Set Vellumine as the default viewer of docx files?";
inline constexpr std::string_view kDeassociateQuestion = "De-associate docx file?";
inline constexpr std::string_view kShortcutCreated = "shortcut created.";
inline constexpr std::string_view kShortcutDenied = "Shortcut Denied. The folder cannot be written:";

}  // namespace vellumine
