// Registers set files (".lxs") with the desktop: a MIME type declared in the
// user's shared MIME database, a desktop entry for the program, and that entry
// made the default handler of the type in the user's mimeapps.list. Paths
// follow the XDG folders ($XDG_DATA_HOME, $XDG_CONFIG_HOME and their defaults).
#pragma once

#include <string>
#include <vector>

namespace lexicana {

// The MIME type of set files and the desktop entry of the program.
inline constexpr const char* kSetFileMimeType = "application/x-lexicana-set";
inline constexpr const char* kDesktopFileId = "lexicana.desktop";

// Where the association is written (native names, UTF-8).
struct TAssociationFiles {
    std::string mimePackage; // <data>/mime/packages/lexicana-lxs.xml
    std::string desktopEntry; // <data>/applications/lexicana.desktop
    std::string iconFile; // <data>/icons/hicolor/32x32/apps/lexicana.png
    std::string mimeApps; // <config>/mimeapps.list
};
TAssociationFiles AssociationFiles();

// The desktop entry id that opens set files now ("" when none): the first
// installed default for the set-file type, or for another type that the
// MIME database gives to "*.lxs", in the mimeapps.list files of the user
// and of the system, in their order of precedence.
std::string SetFileHandler();

// Creates the folders the association is written into. False (with a UTF-8
// reason in error) when one of them cannot be made.
bool PrepareSetFileAssociation(std::string* error);

// Writes the MIME package, the program's icon (when iconPng is not empty),
// the desktop entry starting programPath (a document path) with the chosen
// file, and finally the default in mimeapps.list; then refreshes the user's
// MIME database with update-mime-database when that program is present.
// Each file is replaced whole; the files written before a failure stay.
bool WriteSetFileAssociation(const std::string& programPath, const std::string& iconPng, std::string* error);

// --- text helpers, exposed for tests -----------------------------------------

// The program path as one argument of a desktop entry's Exec key: quoted
// when needed, with the escapes of the Exec and string value rules.
std::string DesktopExecArgument(const std::string& utf8Path);

// The desktop entry ids a mimeapps.list text names as defaults of mimeType
// ([Default Applications], "id1;id2;" in their order).
std::vector<std::string> DefaultApplications(const std::string& mimeAppsText, const std::string& mimeType);

// The mimeapps.list text with mimeType's default set to desktopId; every
// other line is kept as it was. The section is added when missing.
std::string WithDefaultApplication(
    const std::string& mimeAppsText, const std::string& mimeType, const std::string& desktopId);

} // namespace lexicana
