#include "common/translate.h"

#include <vector>

namespace lexicana {

namespace {
TextTranslator g_translator = nullptr;
}

TextTranslator SetTextTranslator(TextTranslator translator)
{
    TextTranslator previous = g_translator;
    g_translator = translator;
    return previous;
}

std::string Tr(const char* source)
{
    return g_translator ? g_translator(source) : std::string(source);
}

std::string FillArgs(const std::string& text, std::initializer_list<std::string> args)
{
    const std::vector<std::string> values(args);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%' && i + 1 < text.size() && text[i + 1] == '%') {
            out += "%%";
            ++i;
            continue;
        }
        if (c == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const auto index = static_cast<std::size_t>(text[i + 1] - '1');
            if (index < values.size()) {
                out += values[index];
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

} // namespace lexicana
