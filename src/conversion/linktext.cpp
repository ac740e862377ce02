#include "conversion/linktext.h"

#include "common/textcode.h"
#include "common/utils.h"

#include <algorithm>

namespace lexicana {

namespace {

// "<", ">", "&", ";", the quotes and "=" are below 0x40 and can never be the
// trail byte of a double-byte character, so the markup scan looks for them
// byte by byte. A broken text with a lead byte right before one of them then
// still has its markup protected.

bool IsNameChar(unsigned char c)
{
    return IsLatinLetterOrDigit(c) || c == '-' || c == '_' || c == ':' || c == '.';
}

bool IsLatinLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether text at pos holds name (already small letters) as a whole tag name.
bool NameAt(std::string_view text, std::size_t pos, std::string_view name)
{
    if (pos + name.size() > text.size())
        return false;
    for (std::size_t k = 0; k < name.size(); ++k)
        if (Lower(text[pos + k]) != name[k])
            return false;
    const std::size_t after = pos + name.size();
    return after == text.size() || !IsNameChar(static_cast<unsigned char>(text[after]));
}

// The end (one past ">") of the tag that starts with "<" at pos, or the
// text's end. A quoted attribute value may hold ">".
std::size_t TagEnd(std::string_view text, std::size_t pos)
{
    const std::size_t n = text.size();
    bool afterEquals = false;
    for (std::size_t i = pos + 1; i < n; ++i) {
        const char c = text[i];
        if (c == '>')
            return i + 1;
        if (afterEquals && (c == '"' || c == '\'')) {
            const std::size_t close = text.find(c, i + 1);
            if (close == std::string_view::npos)
                return n;
            i = close;
            afterEquals = false;
            continue;
        }
        if (c == '=')
            afterEquals = true;
        else if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            afterEquals = false;
    }
    return n;
}

// The end (one past "-->") of the comment that starts at pos, or the text's end.
std::size_t CommentEnd(std::string_view text, std::size_t pos)
{
    const std::size_t close = text.find("-->", pos + 4);
    return close == std::string_view::npos ? text.size() : close + 3;
}

// The end of the element named name whose opening tag ends at from: one
// past the ">" of its matching closing tag, or the text's end. Nested
// elements of the same name are counted and comments skipped; the content
// of script and style is raw text, ended only by its closing tag. A "/>"
// closes none of these elements: they all have content in HTML.
std::size_t ElementEnd(std::string_view text, std::size_t from, std::string_view name)
{
    const bool raw = name == "script" || name == "style";
    int depth = 1;
    std::size_t i = from;
    while ((i = text.find('<', i)) != std::string_view::npos) {
        if (text.substr(i, 4) == "<!--" && !raw) {
            i = CommentEnd(text, i);
            continue;
        }
        const bool closing = i + 1 < text.size() && text[i + 1] == '/' && NameAt(text, i + 2, name);
        const bool opening = !raw && NameAt(text, i + 1, name);
        if (!closing && !opening) {
            ++i;
            continue;
        }
        const std::size_t end = TagEnd(text, i);
        if (closing && --depth == 0)
            return end;
        if (opening)
            ++depth;
        i = end;
    }
    return text.size();
}

bool IsTagStart(std::string_view text, std::size_t pos)
{
    if (pos + 1 >= text.size())
        return false;
    const char next = text[pos + 1];
    return IsLatinLetter(next) || next == '/' || next == '!' || next == '?';
}

// The end of the character reference at pos ("&" name or "#" number ";"), or pos.
std::size_t ReferenceEnd(std::string_view text, std::size_t pos)
{
    constexpr std::size_t longest = 32;
    std::size_t i = pos + 1;
    while (i < text.size() && i - pos <= longest
        && (IsLatinLetterOrDigit(static_cast<unsigned char>(text[i])) || text[i] == '#'))
        ++i;
    if (i > pos + 1 && i < text.size() && text[i] == ';')
        return i + 1;
    return pos;
}

} // namespace

std::vector<TextRange> FindMarkupRanges(std::string_view text, const std::vector<std::string>& elements)
{
    std::vector<std::string> names { "a" };
    for (const std::string& element : elements) {
        std::string name;
        for (char c : element)
            name += Lower(c);
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }

    std::vector<TextRange> ranges;
    const std::size_t n = text.size();
    std::size_t i = 0;
    while ((i = text.find_first_of("<&", i)) != std::string_view::npos) {
        std::size_t end = i;
        if (text[i] == '&') {
            end = ReferenceEnd(text, i);
        } else if (text.substr(i, 4) == "<!--") {
            end = CommentEnd(text, i);
        } else if (IsTagStart(text, i)) {
            end = TagEnd(text, i);
            if (IsLatinLetter(text[i + 1])) {
                for (const std::string& name : names) {
                    if (NameAt(text, i + 1, name)) {
                        end = ElementEnd(text, end, name);
                        break;
                    }
                }
            }
        }
        if (end > i) {
            ranges.push_back({ i, std::min(end, n) });
            i = end;
        } else {
            ++i;
        }
    }
    return ranges;
}

void MarkWordInteriors(std::string_view text, std::vector<unsigned char>& interior)
{
    const std::size_t n = text.size();
    interior.assign(n + 1, 0);
    const TextCode code = DocumentTextCode();
    bool previous = false; // the character before i is a single-byte letter or digit
    for (std::size_t i = 0; i < n;) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (const std::size_t length = CharLength(code, text, i); length > 1) {
            previous = false;
            i += length;
            continue;
        }
        const bool letter = IsLatinLetterOrDigit(c);
        interior[i] = previous && letter;
        previous = letter;
        ++i;
    }
}

bool FoldLatinCase(std::string_view text, std::string& folded)
{
    const std::size_t n = text.size();
    std::size_t i = 0;
    // Most texts hold no capital at all: they are matched as they stand.
    for (; i < n; ++i) {
        const char c = text[i];
        if (c >= 'A' && c <= 'Z')
            break;
    }
    if (i == n)
        return false;
    folded.assign(text);
    const TextCode code = DocumentTextCode();
    for (i = 0; i < n;) {
        const char c = folded[i];
        if (const std::size_t length = CharLength(code, folded, i); length > 1) {
            i += length;
            continue;
        }
        folded[i] = Lower(c);
        ++i;
    }
    return true;
}

std::vector<std::string> SplitAliases(const std::string& cell, const std::string& separator)
{
    std::vector<std::string> words;
    std::size_t from = 0;
    while (from < cell.size()) {
        std::size_t at = separator.empty() ? std::string::npos : FindChars(cell, separator, from);
        if (at == std::string::npos)
            at = cell.size();
        std::size_t begin = from;
        std::size_t end = at;
        while (begin < end && cell[begin] == ' ')
            ++begin;
        while (end > begin && cell[end - 1] == ' ')
            --end;
        if (end > begin)
            words.push_back(cell.substr(begin, end - begin));
        from = at + separator.size();
    }
    return words;
}

} // namespace lexicana
