// Path helpers for document paths (Shift_JIS). The paths are walked by
// characters, a lead byte taking the next byte only when that byte can be a
// trail byte; a "\" or "/" that is a character of its own is a folder
// separator (a 0x5C trail byte is not; a "/" after a lone lead byte is). Every
// helper uses this one rule. ":" is an ordinary character; a Windows drive
// prefix ("C:\", "C:/") or a leading "/" makes a path absolute
// (ResolveRelativePath also keeps a path with a leading "\": a root or network
// path). Paths made relative keep the separator style of their base.
#pragma once

#include <string>
#include <string_view>

namespace lexicana {

// True when the path begins with an ASCII letter, ":" and a separator.
bool HasDrivePrefix(std::string_view path);
// True when the character at pos is a folder separator.
bool IsFolderSeparatorAt(std::string_view path, std::size_t pos);
// True when the path ends with a folder separator.
bool EndsWithFolderSeparator(std::string_view path);
// The separator a path uses: "\" when it holds a stand-alone backslash or
// begins with a drive prefix, and holds no "/"; else "/".
char SeparatorStyleOf(std::string_view path);

// Prefixes path with folder (no separator inserted) unless path is absolute
// (a drive prefix or a leading "/").
void MakeAbsolutePath(const std::string& folder, std::string& path);

// base + relative with parent steps ("..\" or "../" as a whole path
// component) collapsed, each removing the folder in front of it; collapsing
// stops at a step with no folder in front. relative is returned unchanged
// when it is absolute (drive prefix, leading "\" or "/").
std::string ResolveRelativePath(const std::string& base, const std::string& relative);

// path relative to the folder of base (baseIsFolder false: base is a file)
// or to base itself (baseIsFolder true). path unchanged when nothing is
// shared. Parent steps use the separator style of base.
std::string MakeRelativePath(const std::string& path, const std::string& base, bool baseIsFolder);

// The path with every stand-alone backslash turned into "/" (a 0x5C trail
// byte of a double-byte character is kept).
std::string WithSlashSeparators(const std::string& path);

// The folder part of a path up to and including its last separator.
std::string ExtractFileDir(const std::string& path);
// The part after the last separator (ExtractFileDir + ExtractFileName is the
// path).
std::string ExtractFileName(const std::string& path);
// folder with a final separator added when it is not empty and has none (in
// the separator style of folder; "/" after a lone lead byte, which would take
// a "\" as its trail byte). Adding it again changes nothing.
std::string IncludeTrailingSeparator(const std::string& folder);

} // namespace lexicana
