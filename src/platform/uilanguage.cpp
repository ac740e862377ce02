#include "platform/uilanguage.h"

#include "common/translate.h"
#include "platform/nativepath.h"
#include "platform/programinfo.h"
#include "platform/settingsstore.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QTranslator>
#include <exception>
#include <memory>

namespace lexicana {

namespace {

// The context every interface text is collected under (see common/translate.h).
constexpr const char* kTextContext = "lexicana";

std::unique_ptr<QTranslator> g_translator;
UiLanguage g_language = UiLanguage::Japanese;

std::string TranslateThroughQt(const char* source)
{
    return QCoreApplication::translate(kTextContext, source).toStdString();
}

UiLanguage UiLanguageOf(const QLocale& locale)
{
    switch (locale.language()) {
    case QLocale::Japanese:
    case QLocale::C:
    case QLocale::AnyLanguage:
        return UiLanguage::Japanese;
    default:
        return UiLanguage::English;
    }
}

QString TranslationsFolder()
{
    const std::string native = NativeFileName(ProgramDataFolder("") + "/translations");
    return QFile::decodeName(QByteArray(native.data(), static_cast<qsizetype>(native.size())));
}

} // namespace

UiLanguage UiLanguageOfLocale(const std::string& localeName)
{
    const QString name = QString::fromStdString(localeName).section(QLatin1Char('.'), 0, 0);
    if (name.isEmpty() || name == QLatin1String("C") || name == QLatin1String("POSIX"))
        return UiLanguage::Japanese;
    return UiLanguageOf(QLocale(name));
}

UiLanguage SystemUiLanguage()
{
    return UiLanguageOf(QLocale::system());
}

UiLanguage ChosenUiLanguage()
{
    std::string chosen;
    try {
        auto key = TSettingsKey::Open(kSettingsRootKey, true);
        if (key->ValueExists(kInterfaceLanguageSetting))
            chosen = key->ReadString(kInterfaceLanguageSetting);
    } catch (const std::exception&) {
        chosen.clear();
    }
    if (chosen == UiLanguageCode(UiLanguage::English))
        return UiLanguage::English;
    if (chosen == UiLanguageCode(UiLanguage::Japanese))
        return UiLanguage::Japanese;
    return SystemUiLanguage();
}

const char* UiLanguageCode(UiLanguage language)
{
    return language == UiLanguage::English ? "en" : "ja";
}

bool InstallUiTranslation(UiLanguage language)
{
    RemoveUiTranslation();
    if (language == UiLanguage::Japanese)
        return true;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(
            QStringLiteral("lexicana_") + QLatin1String(UiLanguageCode(language)), TranslationsFolder()))
        return false;
    QCoreApplication::installTranslator(translator.get());
    g_translator = std::move(translator);
    SetTextTranslator(&TranslateThroughQt);
    g_language = language;
    return true;
}

void RemoveUiTranslation()
{
    if (g_translator) {
        QCoreApplication::removeTranslator(g_translator.get());
        g_translator.reset();
    }
    SetTextTranslator(nullptr);
    g_language = UiLanguage::Japanese;
}

UiLanguage CurrentUiLanguage()
{
    return g_language;
}

} // namespace lexicana
