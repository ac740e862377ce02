#include "common/fileio.h"

#include "common/hash64.h"
#include "platform/filesystem.h"

#include <stdexcept>

namespace lexicana {

int ReadFileToString(const std::string& path, std::string& text, std::string* reason)
{
    return ReadFileBytes(path, text, reason) ? FileOk : FileCannotOpen;
}

bool HashFileBytes(const std::string& path, std::uint64_t& size, std::uint64_t& hash)
{
    Hash64Stream stream;
    std::uint64_t total = 0;
    if (!ReadFileBlocks(path, [&](std::string_view block) {
            stream.Add(block);
            total += block.size();
        }))
        return false;
    size = total;
    hash = stream.Value();
    return true;
}

int WriteStringToFile(const std::string& path, const std::string& text)
{
    return SaveFileBytes(path, text, nullptr) ? FileOk : FileCannotOpen;
}

bool SaveFileAtomically(const std::string& path, const std::string& bytes, std::string* error)
{
    return SaveFileBytes(path, bytes, error);
}

bool FileExists(const std::string& path)
{
    return PathIsFile(path);
}

bool DirectoryExists(const std::string& path)
{
    return PathIsFolder(path);
}

TStringList LoadLines(const std::string& path)
{
    std::string text;
    std::string reason;
    if (ReadFileToString(path, text, &reason) != FileOk)
        throw std::runtime_error(reason);
    return SplitLines(text);
}

void SaveLines(const std::string& path, const TStringList& lines)
{
    std::size_t total = 0;
    for (const std::string& line : lines)
        total += line.size() + 2;
    std::string text;
    text.reserve(total);
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    std::string error;
    if (!SaveFileAtomically(path, text, &error))
        throw std::runtime_error(error);
}

TStringList SplitLines(const std::string& text)
{
    // CR and LF are never trail bytes, so a byte search finds every line end.
    TStringList lines;
    const char* const data = text.data();
    const std::size_t size = text.size();
    std::size_t start = 0;
    while (start < size) {
        std::size_t end = start;
        while (end < size && data[end] != '\r' && data[end] != '\n')
            ++end;
        lines.emplace_back(text, start, end - start);
        if (end < size && data[end] == '\r' && end + 1 < size && data[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

} // namespace lexicana
