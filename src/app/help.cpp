#include "app/help.h"

#include "components/htlabel.h"
#include "data/global.h"
#include "platform/nativepath.h"
#include "platform/programinfo.h"
#include "platform/uilanguage.h"

#include <QFile>
#include <string>

namespace lexicana {

namespace {

QString NativeQString(const std::string& documentPath)
{
    const std::string native = NativeFileName(documentPath);
    return QFile::decodeName(QByteArray(native.data(), static_cast<qsizetype>(native.size())));
}

} // namespace

QUrl HelpPageUrl(const TGlobal& global)
{
    const bool english = CurrentUiLanguage() == UiLanguage::English;
    if (!global.UseLocalHelp)
        return QUrl(QString::fromLatin1(kSupportSiteAddress)
            + QString::fromLatin1(english ? kRemoteEnglishManualPage : kRemoteManualPage));
    const QString folder = NativeQString(ProgramDataFolder(global.ProgramPath));
    return QUrl::fromLocalFile(
        folder + (english ? QStringLiteral("/manual/menu-en.html") : QStringLiteral("/manual/menu.html")));
}

bool OpenHelp(const TGlobal& global)
{
    return OpenUrlWithDesktop(HelpPageUrl(global));
}

} // namespace lexicana
