// Qt's own texts in Japanese: the buttons, column titles and places of the
// file dialogs and standard boxes ("Cancel", "Name", "Computer" ...) come
// from Qt's translations, which the window program loads at start when its
// interface is Japanese (Qt's texts are English without them).
#pragma once

class QTranslator;

namespace lexicana {

// Loads Qt's Japanese translations (qtbase_ja from Qt's translations folder)
// into translator; false when they are not installed.
bool LoadQtTranslations(QTranslator& translator);

} // namespace lexicana
