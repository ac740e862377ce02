#include "fuzzsupport.h"

#include "common/messages.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace lexicana::fuzz {

namespace {

class SilentSink final : public IMessageSink {
public:
    int Show(const MessageRequest& request) override
    {
        switch (request.buttons()) {
        case MessageButtons::Ok:
            return IdOk;
        case MessageButtons::YesNo:
            return IdNo;
        default:
            return IdCancel;
        }
    }
};

std::string Visible(std::string_view bytes)
{
    static const char* hex = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7f && c != '\\') {
            out += static_cast<char>(c);
        } else {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string g_folder;

void RemoveFolder()
{
    if (!g_folder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(g_folder, ignored);
    }
}

} // namespace

void InstallSilentSink()
{
    static SilentSink sink;
    static const bool installed = [] {
        SetMessageSink(&sink);
        setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
        return true;
    }();
    (void)installed;
}

std::string_view Bytes(const std::uint8_t* data, std::size_t size)
{
    return { reinterpret_cast<const char*>(data), size };
}

std::vector<std::string> SplitParts(std::string_view data, std::size_t maxParts)
{
    std::vector<std::string> parts;
    while (parts.size() + 1 < maxParts) {
        const std::size_t at = data.find(kPartSeparator);
        if (at == std::string_view::npos)
            break;
        parts.emplace_back(data.substr(0, at));
        data.remove_prefix(at + kPartSeparator.size());
    }
    parts.emplace_back(data);
    parts.resize(maxParts);
    return parts;
}

std::vector<std::string> SplitAtLf(std::string_view text, std::size_t maxLines)
{
    std::vector<std::string> lines;
    while (!text.empty() && lines.size() < maxLines) {
        const std::size_t at = text.find('\n');
        lines.emplace_back(text.substr(0, at));
        text.remove_prefix(at == std::string_view::npos ? text.size() : at + 1);
    }
    return lines;
}

const std::string& ScratchFolder::Path()
{
    if (g_folder.empty()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "lexicana-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        g_folder = pattern;
        std::atexit(RemoveFolder);
    }
    return g_folder;
}

void ScratchFolder::Clear()
{
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(Path(), ignored)) {
        std::filesystem::permissions(
            entry.path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(entry.path(), ignored);
    }
}

std::string ScratchFolder::Write(const std::string& name, std::string_view bytes)
{
    const std::string path = Path() + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::abort();
    }
    return path;
}

std::string ScratchFolder::Read(const std::string& name)
{
    std::ifstream in(Path() + "/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void CheckEqual(std::string_view expected, std::string_view actual, const char* what)
{
    if (expected == actual)
        return;
    std::fprintf(stderr, "MISMATCH: %s\n expected: %s\n actual:   %s\n", what, Visible(expected).c_str(),
        Visible(actual).c_str());
    std::abort();
}

void Check(bool condition, const char* what)
{
    if (condition)
        return;
    std::fprintf(stderr, "CHECK FAILED: %s\n", what);
    std::abort();
}

} // namespace lexicana::fuzz
