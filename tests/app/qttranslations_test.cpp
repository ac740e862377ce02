// Qt's own texts of the file dialogs come in Japanese.
#include "app/qttranslations.h"

#include <QTranslator>
#include <gtest/gtest.h>

namespace lexicana {
namespace {

TEST(QtTranslations, FileDialogTextsOfQtAreJapanese)
{
    QTranslator translator;
    ASSERT_TRUE(LoadQtTranslations(translator)) << "Qt's translations (qt6-translations-l10n) are missing";
    struct Text {
        const char* context;
        const char* english;
    };
    for (const Text& text : { Text { "QPlatformTheme", "Cancel" }, Text { "QFileSystemModel", "Name" },
             Text { "QFileSystemModel", "Size" }, Text { "QFileDialog", "Look in:" } }) {
        const QString japanese = translator.translate(text.context, text.english);
        EXPECT_FALSE(japanese.isEmpty()) << text.context << " " << text.english;
        EXPECT_NE(japanese, QString::fromLatin1(text.english));
    }
}

} // namespace
} // namespace lexicana
