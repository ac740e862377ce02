// Japanese codes: detection and every conversion on any bytes; and valid
// Shift_JIS text (made from the input) comes back unchanged through EUC-JP
// and through JIS.
#include "fuzzsupport.h"
#include "jconvert/jconvert.h"

#include <string>

using namespace lexicana;
using namespace lexicana::fuzz;

namespace {

// Shift_JIS text of JIS X 0208 rows (lead 0x81-0x9F, 0xE0-0xEF) and printable
// ASCII with line ends, one character per input byte or pair.
std::string ValidShiftJis(std::string_view bytes)
{
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            text += c < 0x20 ? (c & 1 ? '\n' : ' ') : (c == 0x7f ? '~' : static_cast<char>(c));
            continue;
        }
        if (i + 1 == bytes.size())
            break;
        const unsigned char t = static_cast<unsigned char>(bytes[++i]);
        const unsigned char lead = static_cast<unsigned char>(c % 2 ? 0x81 + t % 31 : 0xE0 + t % 16);
        unsigned char trail = static_cast<unsigned char>(0x40 + c % 188);
        if (trail >= 0x7f)
            ++trail;
        text += static_cast<char>(lead);
        text += static_cast<char>(trail);
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InstallSilentSink();
    const std::string_view text = Bytes(data, size);
    (void)InCodeCheck(text);
    (void)ReturnCodeCheck(text);
    for (int to = -1; to <= 7; ++to) {
        (void)ConvertJCode(text, to);
        (void)ConvertReturnCode(text, to);
        for (int from = -1; from <= 7; ++from) {
            (void)StrictConvertJCode(text, from, to);
            (void)StrictConvertReturnCode(text, from, to);
        }
    }
    (void)sjis2jis83(text);
    (void)euc2jis83(text);
    (void)jis2sjis(text);
    (void)jis2euc(text);
    (void)sjis2euc(text);
    (void)euc2sjis(text);
    if (size >= 2) {
        (void)ToJis(data[0], data[1]);
        (void)ToSjis(data[0], data[1]);
        std::string out;
        (void)KanjiHalfToFull(data[0], data[1], out);
    }

    const std::string sjis = ValidShiftJis(text);
    CheckEqual(sjis, euc2sjis(sjis2euc(sjis)), "Shift_JIS -> EUC-JP -> Shift_JIS");
    CheckEqual(sjis, jis2sjis(sjis2jis83(sjis)), "Shift_JIS -> JIS -> Shift_JIS");
    CheckEqual(sjis2euc(sjis), jis2euc(sjis2jis83(sjis)), "Shift_JIS -> JIS -> EUC-JP");
    CheckEqual(sjis, StrictConvertJCode(StrictConvertJCode(sjis, JCodeSjis, JCodeEuc), JCodeEuc, JCodeSjis),
        "strict Shift_JIS -> EUC-JP -> Shift_JIS");
    return 0;
}
