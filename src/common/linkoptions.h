// LinkOptions: how the words of a glossary are linked in its texts, as the
// "[Link]" section of a conversion table sets it. Every option is off when
// the table does not name it, so an older table links exactly as before.
#pragma once

#include <string>
#include <vector>

namespace lexicana {

struct LinkOptions {
    // A word that begins (ends) with a Latin letter or digit does not match
    // where the character before (after) it is one too.
    bool wholeWords = false;
    // No link inside a tag, a comment, a character reference, an <a>
    // element or an element named in noLinkElements.
    bool skipMarkup = false;
    std::vector<std::string> noLinkElements = DefaultNoLinkElements();
    // Within one text, only the first occurrence of a record's words links.
    bool firstOnly = false;
    // Latin letters match whatever their case; the link shows the text as written.
    bool ignoreCase = false;
    // Grid column holding further words for the record (-1: none),
    // separated by aliasSeparator.
    int aliasCol = -1;
    std::string aliasSeparator = "|";

    static std::vector<std::string> DefaultNoLinkElements()
    {
        return { "code", "pre", "script", "style", "h1", "h2", "h3", "h4", "h5", "h6" };
    }
};

} // namespace lexicana
