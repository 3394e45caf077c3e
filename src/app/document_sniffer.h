// Telling a Word package from what is not one: before anything is unpacked (by the file's first
// bytes and the directory inside it), and once it is unpacked (by the main document part on disk).
// The window's load and the command line call both, so a file fails the same way in each.
#pragma once
#include <filesystem>

namespace vellumine {

// Throws the ENotAWordDocument that fits a file which is no Word package:
//  - a compound file: EEncryptedDocument when an EncryptionInfo stream sits at its root,
//    EWord97Document otherwise;
//  - EForeignFormat when the file begins, after an optional UTF-8 byte-order mark and blanks, as
//    RTF ("{\rtf"), PDF ("%PDF") or HTML ("<html", "<!DOCTYPE html") do, letters in any case;
//  - an archive without the main document part (findMainDocumentParts' rule applied to its entry
//    names and its _rels/.rels): EOpenDocument when its "mimetype" entry names an OpenDocument
//    type, ENoWordDocument otherwise.
// Reads the first bytes, the compound file's or the archive's directory and at most two small
// entries, and writes nothing.  A file that cannot be opened or read as any of these passes, and
// so does an archive whose entries it cannot read: the extraction reports why, as it always has.
void checkDocumentFile(const std::filesystem::path& file);

// Throws EOpenDocument (its "mimetype" file names an OpenDocument type) or ENoWordDocument when
// the package folder, unpacked or given as the input, has no main document part that
// findMainDocumentParts finds as a regular file.
void checkPackageFolder(const std::filesystem::path& folder);

}  // namespace vellumine
