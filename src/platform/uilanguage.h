// The language of the user interface: Japanese (the texts as written in the
// sources) or English (translations/lexicana_en.qm, built beside the
// programs and installed in their share folder), chosen from the system's
// language and applied to the window program's and the core's texts.
#pragma once

#include <string>

namespace lexicana {

enum class UiLanguage { Japanese, English };

// The name of the setting that chooses the interface language: "en" or
// "ja", anything else (or none) follows the system. Read at start.
inline constexpr const char* kInterfaceLanguageSetting = "InterfaceLanguage";

// The interface language for a locale name such as "ja_JP.UTF-8", "en_GB"
// or "C": Japanese for Japanese and for an unknown language (C, POSIX,
// empty), English for any other known language.
UiLanguage UiLanguageOfLocale(const std::string& localeName);
// The same for the system's locale (its messages language).
UiLanguage SystemUiLanguage();
// The language the settings choose (kInterfaceLanguageSetting), else the
// system's. A settings store that cannot be read counts as no choice: the
// settings' reader reports it.
UiLanguage ChosenUiLanguage();
// "ja" or "en".
const char* UiLanguageCode(UiLanguage language);

// Loads the translation of language from <data folder>/translations and
// routes the texts of the window program (QCoreApplication::translate) and
// of the core (lexicana::Tr) through it. Japanese needs none and returns
// true; false when the translation file is missing or unreadable, in which
// case the interface stays Japanese. Needs a QCoreApplication.
bool InstallUiTranslation(UiLanguage language);
// Undoes InstallUiTranslation: the interface is Japanese again.
void RemoveUiTranslation();
// The language installed by InstallUiTranslation (Japanese before any).
UiLanguage CurrentUiLanguage();

} // namespace lexicana
