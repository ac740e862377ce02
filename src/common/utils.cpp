#include "common/utils.h"

#include "common/messages.h"
#include "common/textcode.h"

#include <exception>

namespace lexicana {

std::size_t FindChars(std::string_view text, std::string_view find, std::size_t from)
{
    if (find.empty() || from > text.size())
        return std::string_view::npos;
    // boundary is always a character boundary; candidates come from the fast
    // byte search and are accepted only when the walk lands exactly on them.
    std::size_t boundary = from;
    while (true) {
        std::size_t candidate = text.find(find, boundary);
        if (candidate == std::string_view::npos)
            return candidate;
        while (boundary < candidate)
            boundary += CharLength(text, boundary);
        if (boundary == candidate)
            return candidate;
        // The candidate is the trail byte of the character ending at
        // boundary; search again from the next character.
    }
}

bool ReplaceAll(std::string& text, std::string_view find, std::string_view replacement)
{
    std::size_t match = FindChars(text, find);
    if (match == std::string::npos)
        return false;
    // Built into a new string in one pass, so many matches stay linear.
    std::string result;
    result.reserve(text.size() + (replacement.size() > find.size() ? text.size() / 8 : 0));
    std::size_t copied = 0;
    while (match != std::string::npos) {
        result.append(text, copied, match - copied);
        result.append(replacement);
        copied = match + find.size();
        match = FindChars(text, find, copied);
    }
    result.append(text, copied, std::string::npos);
    text.swap(result);
    return true;
}

std::string CutAtFirst(const std::string& text, std::string_view find)
{
    std::size_t match = FindChars(text, find);
    return match == std::string::npos ? text : text.substr(0, match);
}

void MoveFirstChar(std::string* dest, std::string& src)
{
    if (src.empty())
        return;
    std::size_t length = CharLength(src, 0);
    if (dest)
        dest->append(src, 0, length);
    src.erase(0, length);
}

std::string TakeLeadingBytes(std::string& src, std::size_t n)
{
    if (n >= src.size()) {
        std::string all;
        all.swap(src);
        return all;
    }
    std::string head = src.substr(0, n);
    src.erase(0, n);
    return head;
}

int StrToStrs(const std::string& text, TStringList& list)
{
    try {
        list.clear();
        // CR and LF are never trail bytes, so a plain byte search is safe.
        std::size_t start = 0;
        for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
            list.emplace_back(text, start, end - start);
        if (start < text.size())
            list.emplace_back(text, start, std::string::npos);
        return 0;
    } catch (const std::exception& e) {
        ReportError(e, "StrToStrs");
        return -2;
    } catch (...) {
        return -1;
    }
}

int StrsToStr(const TStringList& list, std::string& text)
{
    try {
        std::size_t total = list.size();
        for (const std::string& line : list)
            total += line.size();
        std::string joined;
        joined.reserve(total);
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (i > 0)
                joined += '\n';
            joined += list[i];
        }
        text.swap(joined);
        return 0;
    } catch (const std::exception& e) {
        ReportError(e, "StrsToStr");
        return -2;
    } catch (...) {
        return -1;
    }
}

} // namespace lexicana
