// Path helpers for document paths (Shift_JIS). A stand-alone "\" and "/" are
// both folder separators (a 0x5C trail byte is not); a drive prefix ("C:") or
// a leading "/" makes a path absolute (ResolveRelativePath also keeps a path
// with a leading "\": a root or network path). Paths made relative keep the
// separator style of their base.
#pragma once

#include <string>
#include <string_view>

namespace lexicana {

// True when the path begins with an ASCII letter and ":".
bool HasDrivePrefix(std::string_view path);
// True when the character at pos is a stand-alone "\" or a "/".
bool IsFolderSeparatorAt(std::string_view path, std::size_t pos);
// True when the path ends with a folder separator (a stand-alone "\" or "/").
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

// The folder part of a path up to and including its last separator or ":".
std::string ExtractFileDir(const std::string& path);
// The part after the last separator or ":".
std::string ExtractFileName(const std::string& path);
// folder with a final separator added when it is not empty and has none
// (in the separator style of folder).
std::string IncludeTrailingSeparator(const std::string& folder);

} // namespace lexicana
