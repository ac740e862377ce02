#include "common/pathutils.h"

#include "common/sjis.h"

#include <algorithm>

namespace lexicana {

namespace {

constexpr std::size_t npos = std::string::npos;

// A "/" is never the trail byte of a double-byte character; a "\" may be, so
// callers only pass bytes that start a character.
bool IsSeparatorChar(char c)
{
    return c == '\\' || c == '/';
}

// Position of the last separator character (and of ":" when withColon) in
// path, or npos.
std::size_t LastSeparator(std::string_view path, bool withColon)
{
    std::size_t last = npos;
    for (std::size_t i = 0; i < path.size();) {
        std::size_t n = SjisCharLength(path, i);
        if (n == 1 && (IsSeparatorChar(path[i]) || (withColon && path[i] == ':')))
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
        std::size_t n = SjisCharLength(path, i);
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
    if (path.size() < 2 || path[1] != ':')
        return false;
    char c = path[0];
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsFolderSeparatorAt(std::string_view path, std::size_t pos)
{
    if (pos >= path.size() || !IsSeparatorChar(path[pos]))
        return false;
    if (path[pos] == '/')
        return true;
    std::size_t i = 0;
    while (i < pos)
        i += SjisCharLength(path, i);
    return i == pos;
}

bool EndsWithFolderSeparator(std::string_view path)
{
    return !path.empty() && LastSeparator(path, false) == path.size() - 1;
}

char SeparatorStyleOf(std::string_view path)
{
    bool backslash = false;
    for (std::size_t i = 0; i < path.size();) {
        std::size_t n = SjisCharLength(path, i);
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
    // the same bytes, so they share their character boundaries. "\" and "/"
    // count as the same separator.
    std::size_t commonEnd = npos; // just after the last shared separator
    const std::size_t limit = std::min(baseFolder.size(), pathFolder.size());
    for (std::size_t i = 0; i < limit;) {
        std::size_t n = SjisCharLength(baseFolder, i);
        if (n == 1 && IsSeparatorChar(baseFolder[i]) && IsSeparatorChar(pathFolder[i])) {
            commonEnd = i + 1;
        } else if (i + n > limit || baseFolder.compare(i, n, pathFolder, i, n) != 0) {
            break;
        }
        i += n;
    }
    if (commonEnd == npos)
        return path;

    const std::string parentStep = std::string("..") + SeparatorStyleOf(base);
    std::string result;
    for (std::size_t i = commonEnd; i < baseFolder.size();) {
        std::size_t n = SjisCharLength(baseFolder, i);
        if (n == 1 && IsSeparatorChar(baseFolder[i]))
            result += parentStep;
        i += n;
    }
    result.append(path, commonEnd, npos);
    return result;
}

std::string ExtractFileDir(const std::string& path)
{
    std::size_t last = LastSeparator(path, true);
    return last == npos ? std::string() : path.substr(0, last + 1);
}

std::string ExtractFileName(const std::string& path)
{
    std::size_t last = LastSeparator(path, true);
    return last == npos ? path : path.substr(last + 1);
}

std::string IncludeTrailingSeparator(const std::string& folder)
{
    if (folder.empty() || EndsWithFolderSeparator(folder))
        return folder;
    return folder + SeparatorStyleOf(folder);
}

std::string WithSlashSeparators(const std::string& path)
{
    std::string out;
    out.reserve(path.size());
    for (std::size_t i = 0; i < path.size();) {
        const std::size_t n = SjisCharLength(path, i);
        if (n == 1 && path[i] == '\\')
            out += '/';
        else
            out.append(path, i, n);
        i += n;
    }
    return out;
}

} // namespace lexicana
