#include "app/qttranslations.h"

#include <QLibraryInfo>
#include <QTranslator>

namespace lexicana {

bool LoadQtTranslations(QTranslator& translator)
{
    return translator.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

} // namespace lexicana
