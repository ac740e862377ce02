// The code of the document's text: Shift_JIS (Windows code page 932) or
// UTF-8. Document text stays bytes in that code; this is the one place that
// knows where a character starts and how long it is, so every loop that
// walks text by characters steps the same way in either code and no match
// starts inside a character.
#pragma once

#include <cstddef>
#include <string_view>

namespace lexicana {

enum class TextCode : unsigned char {
    ShiftJis,
    Utf8,
};

// True for the lead bytes of a Shift_JIS double-byte character (0x81-0x9F,
// 0xE0-0xFC).
constexpr bool IsSjisLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

constexpr bool IsSjisLeadByte(char c)
{
    return IsSjisLeadByte(static_cast<unsigned char>(c));
}

// Bytes a UTF-8 character that starts with c claims (1 for ASCII and for a
// byte that cannot start a sequence).
constexpr std::size_t Utf8SequenceLength(unsigned char c)
{
    return c < 0xC2 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : c < 0xF5 ? 4 : 1;
}

// Length in bytes of the character that starts at pos.
// Shift_JIS: 2 for a lead byte (1 when the text ends after it), else 1.
// UTF-8: the sequence's length when all its continuation bytes follow, else
// 1 (a stray byte is a character of its own, so walking never skips text).
inline std::size_t CharLength(TextCode code, std::string_view text, std::size_t pos)
{
    const auto c = static_cast<unsigned char>(text[pos]);
    if (c < 0x80)
        return 1;
    if (code == TextCode::ShiftJis)
        return (IsSjisLeadByte(c) && pos + 1 < text.size()) ? 2 : 1;
    const std::size_t length = Utf8SequenceLength(c);
    if (pos + length > text.size())
        return 1;
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80)
            return 1;
    }
    return length;
}

// The code of the open document's text. One document is open at a time;
// its reader sets the code before any of its text is walked, and every
// thread that walks document text reads it here.
TextCode DocumentTextCode();
void SetDocumentTextCode(TextCode code);

// While it lives, DocumentTextCode gives code on the calling thread alone:
// work on a helper thread made from a snapshot of the document keeps the
// snapshot's code, whatever the document switches to meanwhile.
class ThreadTextCode {
public:
    explicit ThreadTextCode(TextCode code);
    ~ThreadTextCode();
    ThreadTextCode(const ThreadTextCode&) = delete;
    ThreadTextCode& operator=(const ThreadTextCode&) = delete;

private:
    int previous_;
};

// CharLength in the document's code.
inline std::size_t CharLength(std::string_view text, std::size_t pos)
{
    return CharLength(DocumentTextCode(), text, pos);
}

// True when text is valid UTF-8 holding at least one multi-byte character:
// the test that tells a UTF-8 file from a Shift_JIS one (plain ASCII reads
// the same in both).
bool LooksLikeUtf8(std::string_view text);

// The UTF-8 byte-order mark.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The code a data file was read in, and whether it began with a byte-order
// mark: what it is written back in.
struct TFileCode {
    TextCode code = TextCode::ShiftJis;
    bool bom = false;
    // The bytes are plain ASCII, which reads the same in either code: the
    // reader may take the code it prefers. Not part of the comparison.
    bool ascii = false;
    bool operator==(const TFileCode& other) const { return code == other.code && bom == other.bom; }
};

// The code of a data file's bytes: UTF-8 when they begin with a byte-order
// mark or LooksLikeUtf8, else Shift_JIS (and ascii when no byte is 0x80 or
// above).
TFileCode DetectFileCode(std::string_view text);

} // namespace lexicana
