// Japanese character codes and line ends of byte strings: tells whether a text
// is JIS, EUC-JP or Shift_JIS and which line end it uses, and converts between
// them. Stateless, standard library only; the page rewriter relies on it.
#pragma once

#include <string>
#include <string_view>

namespace lexicana {

// Character-code values: results of InCodeCheck and targets of the
// conversions (the KanjiCode option uses the same numbers).
enum JCodeValue : int {
    JCodeNone = 0, // no Japanese found
    JCodeBinary = 1, // binary data
    JCodeJis83 = 2, // JIS, ESC $ B seen
    JCodeJis78 = 3, // JIS, ESC $ @ seen
    JCodeEuc = 4, // EUC-JP
    JCodeSjis = 5, // Shift_JIS
    JCodeUndecided = 6, // EUC-JP or Shift_JIS, not decided
    JCodeUtf8 = 7, // UTF-8 (pages only; InCodeCheck never gives it)
};

// Line-end values: results of ReturnCodeCheck and targets of the conversions
// (the NewLineCode option uses the same numbers).
enum ReturnCodeValue : int {
    ReturnNone = 0,
    ReturnCrLf = 1,
    ReturnCr = 2,
    ReturnLf = 3,
};

// Number of leading bytes that the binary pre-check of InCodeCheck examines
// (initially 512). Callers only read it.
extern int STRICT_CHECK_LEN;

// Character code of text (a JCodeValue). The first escape sequence or byte
// that decides wins; a text whose high bytes fit both EUC-JP and Shift_JIS
// gives JCodeUndecided.
int InCodeCheck(std::string_view text);

// Converts text from its detected code to target. Text that is ASCII, binary
// or undecided is returned unchanged.
std::string ConvertJCode(std::string_view text, int target);

// Converts text from code `from` to code `to` without detection. Pairs that
// have no converter (to 0, 1, 3 or 6, from 0, 1 or 6) return text unchanged;
// JIS is always written with ESC $ B.
std::string StrictConvertJCode(std::string_view text, int from, int to);

// Line end of text (a ReturnCodeValue), decided by its first CR or LF.
int ReturnCodeCheck(std::string_view text);

// Converts the detected line ends of text to target; for a target other than
// 1, 2 or 3 the line ends are removed.
std::string ConvertReturnCode(std::string_view text, int target);

// Replaces every line end of kind `from` by one of kind `to` (removed when
// `to` is not 1, 2 or 3). Line ends of other kinds are left alone.
std::string StrictConvertReturnCode(std::string_view text, int from, int to);

// Whole-string converters. The JIS writers switch to double-byte mode with
// ESC $ B, back with ESC ( J before the next byte below 0x80, and add no
// escape at the end of the text. Half-width katakana become full-width in
// JIS; in EUC-JP, 0x8E before a byte that is no half-width katakana gives 〓.
// The JIS readers drop every three-byte escape, also one at the very end. A
// pair cut off by the end of the text reads a 0 byte as its second byte.
std::string sjis2jis83(std::string_view text);
std::string euc2jis83(std::string_view text);
std::string jis2sjis(std::string_view text);
std::string jis2euc(std::string_view text);
std::string sjis2euc(std::string_view text);
std::string euc2sjis(std::string_view text);

// Shift_JIS pair -> the two bytes of its JIS X 0208 code.
std::string ToJis(unsigned char s1, unsigned char s2);
// JIS X 0208 row and cell (0x21-0x7E each) -> the Shift_JIS pair.
std::string ToSjis(unsigned char j1, unsigned char j2);

// Appends the full-width JIS X 0208 code of the half-width katakana `kana`
// (0xA1-0xDF) to out. When `next` is a voiced (0xDE) or semi-voiced (0xDF)
// mark that combines with kana (ｶﾞ -> ガ, ﾊﾟ -> パ, ｳﾞ -> ヴ) the combined
// character is written and true is returned: the mark is used up. A byte
// outside 0xA1-0xDF has no full-width form and is written as 〓 (0x222E).
bool KanjiHalfToFull(unsigned char kana, unsigned char next, std::string& out);

} // namespace lexicana
