#include "common/textcode.h"

#include <algorithm>
#include <atomic>

namespace lexicana {

namespace {
std::atomic<TextCode> documentCode{TextCode::ShiftJis};
// The calling thread's own code (a TextCode), or -1 for the document's.
thread_local int threadCode = -1;
}

TextCode DocumentTextCode()
{
    return threadCode >= 0 ? static_cast<TextCode>(threadCode) : documentCode.load(std::memory_order_relaxed);
}

ThreadTextCode::ThreadTextCode(TextCode code)
    : previous_(threadCode)
{
    threadCode = static_cast<int>(code);
}

ThreadTextCode::~ThreadTextCode()
{
    threadCode = previous_;
}

void SetDocumentTextCode(TextCode code)
{
    documentCode.store(code, std::memory_order_relaxed);
}

bool LooksLikeUtf8(std::string_view text)
{
    bool multiByte = false;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = Utf8SequenceLength(c);
        if (length == 1 || i + length > n)
            return false;
        const auto second = static_cast<unsigned char>(text[i + 1]);
        // Overlong three- and four-byte forms, surrogates and code points
        // beyond U+10FFFF are no UTF-8.
        if ((c == 0xE0 && second < 0xA0) || (c == 0xED && second > 0x9F) || (c == 0xF0 && second < 0x90)
            || (c == 0xF4 && second > 0x8F))
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        }
        multiByte = true;
        i += length;
    }
    return multiByte;
}

TFileCode DetectFileCode(std::string_view text)
{
    if (text.starts_with(kUtf8Bom))
        return { TextCode::Utf8, true };
    if (LooksLikeUtf8(text))
        return { TextCode::Utf8, false };
    const bool ascii = std::none_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; });
    return { TextCode::ShiftJis, false, ascii };
}

} // namespace lexicana
