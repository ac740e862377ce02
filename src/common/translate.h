// Translation of the user-interface texts the core builds. The sources hold
// the Japanese texts (UTF-8); a program that shows another language installs
// a translator (the window program and lexicana-convert route it to Qt's
// translation system). Without one every text comes back as written.
//
// Call it qualified, lexicana::Tr("..."), on the literal itself: the
// translation tools collect those calls under the context "lexicana".
#pragma once

#include <initializer_list>
#include <string>

namespace lexicana {

// Returns the translation of a UTF-8 source text (the source when none).
using TextTranslator = std::string (*)(const char* source);

// Installs the translator used from now on (nullptr: texts stay as written).
// Returns the previous one.
TextTranslator SetTextTranslator(TextTranslator translator);

// The text to show for the source text.
std::string Tr(const char* source);

// Marks a source text held in a constant or table for the translation tools
// and returns it unchanged; the place that shows it calls Tr on it.
constexpr const char* TrMark(const char* source)
{
    return source;
}

// Replaces %1 ... %9 in text by the arguments in one pass (an argument that
// itself holds "%1" is not expanded again); "%%" stays as it is, and a
// placeholder without an argument is kept. Lets a translation put the parts
// of a message in its own order.
std::string FillArgs(const std::string& text, std::initializer_list<std::string> args);

} // namespace lexicana
