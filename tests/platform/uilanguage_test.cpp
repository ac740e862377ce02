#include "common/messages.h"
#include "common/translate.h"
#include "platform/settingsstore.h"
#include "platform/uilanguage.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <utility>

using namespace lexicana;

TEST(UiLanguage, JapaneseForJapaneseAndUnknownLanguagesElseEnglish)
{
    const struct {
        const char* locale;
        UiLanguage expected;
    } cases[] = {
        { "ja_JP.UTF-8", UiLanguage::Japanese },
        { "ja", UiLanguage::Japanese },
        { "C", UiLanguage::Japanese },
        { "C.UTF-8", UiLanguage::Japanese },
        { "POSIX", UiLanguage::Japanese },
        { "", UiLanguage::Japanese },
        { "en_US.UTF-8", UiLanguage::English },
        { "de_DE", UiLanguage::English },
        { "fr", UiLanguage::English },
    };
    for (const auto& c : cases)
        EXPECT_EQ(UiLanguageOfLocale(c.locale), c.expected) << c.locale;
}

// The English translation built beside the test programs turns the core's
// and the window's texts into English; removing it restores the Japanese.
TEST(UiLanguage, EnglishTranslationTranslatesCoreAndWindowTexts)
{
    ASSERT_TRUE(InstallUiTranslation(UiLanguage::English)) << "translations/lexicana_en.qm is not built";
    EXPECT_EQ(CurrentUiLanguage(), UiLanguage::English);
    EXPECT_EQ(ErrorReportText("M", "Open"), "Location: Open\r\nError: M");
    EXPECT_EQ(
        Tr("HTMLファイルの書き換えが正常に終了しました。"), "The HTML files were rewritten successfully.");
    EXPECT_EQ(QCoreApplication::translate("lexicana", "変換開始(&G)"), QStringLiteral("Start Con&version"));
    RemoveUiTranslation();
    EXPECT_EQ(CurrentUiLanguage(), UiLanguage::Japanese);
    EXPECT_EQ(ErrorReportText("M", "Open"), "エラー発生場所 : Open\r\nエラーの種類 : M");
    EXPECT_EQ(QCoreApplication::translate("lexicana", "変換開始(&G)"), QStringLiteral("変換開始(&G)"));
}

// The option of the options dialog overrides the system's language; any
// other value leaves the choice to the system.
TEST(UiLanguage, StoredChoiceOverridesTheSystemLanguage)
{
    auto key = TSettingsKey::Open(kSettingsRootKey, true);
    for (const auto& [stored, expected] :
        { std::pair { "en", UiLanguage::English }, std::pair { "ja", UiLanguage::Japanese },
            std::pair { "", SystemUiLanguage() }, std::pair { "xx", SystemUiLanguage() } }) {
        key->WriteString(kInterfaceLanguageSetting, stored);
        key->Close();
        EXPECT_EQ(ChosenUiLanguage(), expected) << stored;
        key = TSettingsKey::Open(kSettingsRootKey, true);
    }
    key->WriteString(kInterfaceLanguageSetting, "");
    key->Close();
}
