// The window program's texts in the interface language: the sources hold the
// Japanese texts, translated through Qt's translation system in the context
// "lexicana" shared with the core's texts (common/translate.h). Call it
// qualified, lexicana::TrQ("..."), so that the translation tools find it.
#pragma once

#include <QCoreApplication>
#include <QString>

namespace lexicana {

inline QString TrQ(const char* source)
{
    return QCoreApplication::translate("lexicana", source);
}

} // namespace lexicana
