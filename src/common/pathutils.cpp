#include "common/pathutils.h"

#include "common/textcode.h"

#include <algorithm>

namespace lexicana {

namespace {

constexpr std::size_t npos = std::string::npos;

bool IsSeparatorChar(char c)
{
    return c == '\\' || c == '/';
}

// True for the bytes that may follow a lead byte in a double-byte character
// (0x40-0x7E, 0x80-0xFC). "\" (0x5C) is one of them, "/" (0x2F) and ":" are not.
bool IsSjisTrailByte(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= 0x40 && u <= 0x7E) || (u >= 0x80 && u <= 0xFC);
}

// Length of the path character at pos. Shift_JIS: 2 for a lead byte followed
// by a trail byte, else 1; a lead byte in front of a byte that cannot be its
// trail byte (a "/" for one) stands alone, and that byte is a character of
// its own. UTF-8 never hides an ASCII byte inside a character. Every walk
// over a path uses this, so all helpers agree on the separators.
std::size_t PathCharLength(std::string_view path, std::size_t pos)
{
    if (DocumentTextCode() == TextCode::Utf8)
        return CharLength(TextCode::Utf8, path, pos);
    return IsSjisLeadByte(path[pos]) && pos + 1 < path.size() && IsSjisTrailByte(path[pos + 1]) ? 2 : 1;
}

// Position of the last folder separator in path, or npos.
std::size_t LastSeparator(std::string_view path)
{
    std::size_t last = npos;
    for (std::size_t i = 0; i < path.size();) {
        std::size_t n = PathCharLength(path, i);
        if (n == 1 && IsSeparatorChar(path[i]))
            last = i;
        i += n;
    }
    return last;
}

struct ParentStep {
    std::size_t dots = npos; // position of the ".." of the first parent step
    std::size_t folderStart = npos; // the separator in front of the folder it cancels
};

// The first parent step of path: a ".." that forms a whole path component
// (at the start or after a separator) and is followed by a separator.
ParentStep FindParentStep(std::string_view path)
{
    std::size_t lastSep = npos;
    std::size_t sepBeforeLast = npos;
    for (std::size_t i = 0; i < path.size();) {
        std::size_t n = PathCharLength(path, i);
        if (n == 1 && path[i] == '.' && i + 2 < path.size() && path[i + 1] == '.'
            && IsSeparatorChar(path[i + 2]) && (i == 0 || lastSep == i - 1))
            return { i, i == 0 ? npos : sepBeforeLast };
        if (n == 1 && IsSeparatorChar(path[i])) {
            sepBeforeLast = lastSep;
            lastSep = i;
        }
        i += n;
    }
    return {};
}

} // namespace

bool HasDrivePrefix(std::string_view path)
{
    if (path.size() < 3 || path[1] != ':' || !IsSeparatorChar(path[2]))
        return false;
    char c = path[0];
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsFolderSeparatorAt(std::string_view path, std::size_t pos)
{
    if (pos >= path.size() || !IsSeparatorChar(path[pos]))
        return false;
    std::size_t i = 0;
    while (i < pos)
        i += PathCharLength(path, i);
    return i == pos && PathCharLength(path, pos) == 1;
}

bool EndsWithFolderSeparator(std::string_view path)
{
    return !path.empty() && LastSeparator(path) == path.size() - 1;
}

char SeparatorStyleOf(std::string_view path)
{
    bool backslash = false;
    for (std::size_t i = 0; i < path.size();) {
        std::size_t n = PathCharLength(path, i);
        if (n == 1 && path[i] == '/')
            return '/';
        if (n == 1 && path[i] == '\\')
            backslash = true;
        i += n;
    }
    return backslash || HasDrivePrefix(path) ? '\\' : '/';
}

void MakeAbsolutePath(const std::string& folder, std::string& path)
{
    if (HasDrivePrefix(path) || (!path.empty() && path[0] == '/'))
        return;
    path.insert(0, folder);
}

std::string ResolveRelativePath(const std::string& base, const std::string& relative)
{
    if (HasDrivePrefix(relative) || (!relative.empty() && IsSeparatorChar(relative[0])))
        return relative;
    std::string joined = base + relative;
    // Each round removes the first parent step with the folder in front of
    // it: "\b\.." goes and the separator after the dots joins the rest.
    while (true) {
        ParentStep step = FindParentStep(joined);
        if (step.dots == npos || step.folderStart == npos)
            break;
        joined.erase(step.folderStart, step.dots + 2 - step.folderStart);
    }
    return joined;
}

std::string MakeRelativePath(const std::string& path, const std::string& base, bool baseIsFolder)
{
    const std::string baseFolder = baseIsFolder ? IncludeTrailingSeparator(base) : ExtractFileDir(base);
    const std::string pathFolder = ExtractFileDir(path);

    // Common leading characters; up to the first difference both texts hold
    // the same bytes, so they share their character boundaries (a lead byte
    // that pairs in one text and stands alone in the other ends the common
    // part). "\" and "/" count as the same separator.
    std::size_t commonEnd = npos; // just after the last shared separator
    const std::size_t limit = std::min(baseFolder.size(), pathFolder.size());
    for (std::size_t i = 0; i < limit;) {
        std::size_t n = PathCharLength(baseFolder, i);
        if (n != PathCharLength(pathFolder, i))
            break;
        if (n == 1 && IsSeparatorChar(baseFolder[i]) && IsSeparatorChar(pathFolder[i])) {
            commonEnd = i + 1;
        } else if (i + n > limit || baseFolder.compare(i, n, pathFolder, i, n) != 0) {
            break;
        }
        i += n;
    }
    // A rest that would read as an absolute path (a doubled separator, or a
    // folder named like a drive after the base folder) keeps the path whole.
    if (commonEnd == npos)
        return path;
    const std::string_view rest = std::string_view(path).substr(commonEnd);
    if (commonEnd == baseFolder.size() && (IsFolderSeparatorAt(path, commonEnd) || HasDrivePrefix(rest)))
        return path;

    const std::string parentStep = std::string("..") + SeparatorStyleOf(base);
    std::string result;
    for (std::size_t i = commonEnd; i < baseFolder.size();) {
        std::size_t n = PathCharLength(baseFolder, i);
        if (n == 1 && IsSeparatorChar(baseFolder[i]))
            result += parentStep;
        i += n;
    }
    result.append(path, commonEnd, npos);
    return result;
}

std::string ExtractFileDir(const std::string& path)
{
    std::size_t last = LastSeparator(path);
    return last == npos ? std::string() : path.substr(0, last + 1);
}

std::string ExtractFileName(const std::string& path)
{
    std::size_t last = LastSeparator(path);
    return last == npos ? path : path.substr(last + 1);
}

std::string IncludeTrailingSeparator(const std::string& folder)
{
    if (folder.empty() || EndsWithFolderSeparator(folder))
        return folder;
    // A "\" after a lone lead byte would become its trail byte; "/" never does.
    std::string withSeparator = folder + SeparatorStyleOf(folder);
    if (!EndsWithFolderSeparator(withSeparator))
        withSeparator.back() = '/';
    return withSeparator;
}

std::string WithSlashSeparators(const std::string& path)
{
    std::string out;
    out.reserve(path.size());
    for (std::size_t i = 0; i < path.size();) {
        const std::size_t n = PathCharLength(path, i);
        if (n == 1 && path[i] == '\\')
            out += '/';
        else
            out.append(path, i, n);
        i += n;
    }
    return out;
}

} // namespace lexicana
