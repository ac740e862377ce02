// Transfer encodings: every decoder on any text, and every encoder's output
// decoded back to the input bytes. Header strings of valid Shift_JIS text
// decode to its JIS text.
#include "fuzzsupport.h"
#include "jconvert/jconvert.h"
#include "jconvert/transferencoding.h"

#include <string>

using namespace lexicana;
using namespace lexicana::fuzz;

namespace {

// Shift_JIS text of double-byte characters and ASCII letters and spaces (no
// "=" or "?", which could form an encoded word of their own).
std::string HeaderText(std::string_view bytes)
{
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80 || i + 1 == bytes.size()) {
            text += c % 5 == 0 ? ' ' : static_cast<char>('a' + c % 26);
            continue;
        }
        const unsigned char t = static_cast<unsigned char>(bytes[++i]);
        text += static_cast<char>(c % 2 ? 0x81 + t % 31 : 0xE0 + t % 16);
        const unsigned char trail = static_cast<unsigned char>(0x40 + c % 188);
        text += static_cast<char>(trail >= 0x7f ? trail + 1 : trail);
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InstallSilentSink();
    const std::string_view bytes = Bytes(data, size);
    (void)DecodeBase64(bytes);
    (void)DecodeUU(bytes);
    (void)DecodeBinHex(bytes);
    (void)DecodeHeaderString(bytes);
    (void)CreateHeaderString(bytes);

    CheckEqual(bytes, DecodeBase64(EncodeBase64(bytes)), "Base64 round trip");
    CheckEqual(bytes, DecodeBase64(EncodeBase64R(bytes, "\r\n")), "Base64 with line breaks round trip");
    CheckEqual(bytes, DecodeUU(EncodeUU(bytes, "\n")), "uuencode round trip");
    CheckEqual(bytes, DecodeUU(EncodeUU(bytes, "\r\n")), "uuencode CR LF round trip");
    CheckEqual(bytes, DecodeBinHex(EncodeBinHex(bytes, "\r\n")), "BinHex round trip");

    const std::string header = HeaderText(bytes);
    CheckEqual(jis2sjis(DecodeHeaderString(CreateHeaderString(header))), header, "header string round trip");
    return 0;
}
