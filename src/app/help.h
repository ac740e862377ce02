// The help command: the manual page shipped with the program in the
// interface language ("manual/menu.html", or "manual/menu-en.html" for an
// English interface, beside it or in its share folder) or, when the user
// prefers it, the latest manual on the support web site, handed to the
// desktop's handler.
#pragma once

#include <QUrl>

namespace lexicana {

class TGlobal;

// Base address of the support web site, also shown by the about box.
inline constexpr const char* kSupportSiteAddress = "https://lexicana.example.org/";
// The manual's page below the site's base address.
inline constexpr const char* kRemoteManualPage = "manual/lexicana/menu.html";
inline constexpr const char* kRemoteEnglishManualPage = "manual/lexicana/menu-en.html";

// The page to open (menu-en.html in place of menu.html when the interface
// is English): file://<data folder>/manual/menu.html when UseLocalHelp
// is set (ProgramDataFolder of ProgramPath, else of the running program:
// beside the program or in its installed share folder), otherwise the site's
// base address + kRemoteManualPage.
QUrl HelpPageUrl(const TGlobal& global);
// Opens HelpPageUrl with the desktop's handler; a failure is not reported.
bool OpenHelp(const TGlobal& global);

} // namespace lexicana
