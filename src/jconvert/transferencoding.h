// Transfer encodings for Japanese mail and news texts: Base64, uuencode, the
// BinHex 4.0 character encoding, and MIME encoded words ("B" encoding,
// ISO-2022-JP) for header text. Byte strings in, byte strings out; no errors.
#pragma once

#include <string>
#include <string_view>

namespace lexicana {

// Base64 without line breaks; the last group is padded with "=".
std::string EncodeBase64(std::string_view data);
// Base64 with lineBreak after every 76 characters (also after the last group
// when it completes a line; the padded final group gets no break of its own).
std::string EncodeBase64R(std::string_view data, std::string_view lineBreak);

// uuencoded body lines of up to 45 bytes (60 characters, "M" length
// character for a full line), each ended by lineBreak, then the closing line
// "`" and lineBreak. No "begin" or "end" lines.
std::string EncodeUU(std::string_view data, std::string_view lineBreak);

// The BinHex 4.0 character encoding of data between colons, in lines of 64
// characters (the leading ":" counts) separated by lineBreak. No header,
// run-length compression or checksum; the last group is not filled.
std::string EncodeBinHex(std::string_view data, std::string_view lineBreak);

// Base64 -> bytes. Line breaks and any other character outside the alphabet
// are ignored; "=" ends the data of its group of four. A final group without
// padding yields the bytes its characters hold.
std::string DecodeBase64(std::string_view text);

// uuencoded lines -> bytes. Each line starts with its length character;
// every character is read as (c - 0x20) & 0x3F, so "`" and " " are 0.
// Characters missing at the end of a short line read as 0.
std::string DecodeUU(std::string_view text);

// BinHex 4.0 characters (with or without the leading ":") -> bytes. Line
// breaks are skipped; decoding stops at the first character outside the
// alphabet, such as the closing ":", keeping what the last partial group
// yields.
std::string DecodeBinHex(std::string_view text);

// Shift_JIS header text in which every run of Japanese characters (double-byte
// characters and half-width katakana) becomes "=?ISO-2022-JP?B?...?=" of its
// JIS text. The JIS text of a run ends in double-byte mode, without a return
// escape. ASCII text comes back unchanged.
std::string CreateHeaderString(std::string_view text);

// Replaces every "=?ISO-2022-JP?B?...?=" (prefix in any letter case) by its
// decoded JIS bytes followed by ESC ( J. The result stays JIS. A prefix
// without a closing "?=" is left as it stands.
std::string DecodeHeaderString(std::string_view text);

} // namespace lexicana
