// Golden conversion cases: every folder beside this file is a conversion set
// that lexicana-convert converts in a temporary copy; every file it writes
// must match the case's expected/ copy byte for byte and every other file
// must stay as it was. LEXICANA_GOLDEN_UPDATE=1 writes the results into the
// cases instead (README.md of this folder).
#include "cli/cliharness.h"
#include "common/version.h"
#include "support/testenv.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace lexicana::test {
namespace {

namespace fs = std::filesystem;

const fs::path kCases = LEXICANA_GOLDEN_DIR;
// Stands for the product version in expected files, so that a new version
// needs no new golden files.
const std::string kVersionToken = "@VERSION@";
// Stands for the temporary copy of the case in the expected messages.
const std::string kCaseToken = "@CASE@";

std::vector<std::string> CaseNames()
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kCases))
        if (entry.is_directory())
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Every regular file below root, by its "/"-separated path relative to root.
std::map<std::string, std::string> ReadTree(const fs::path& root)
{
    std::map<std::string, std::string> files;
    if (fs::exists(root))
        for (const auto& entry : fs::recursive_directory_iterator(root))
            if (entry.is_regular_file())
                files[entry.path().lexically_relative(root).generic_string()]
                    = ReadFile(entry.path().string());
    return files;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (auto at = text.find(from); !from.empty() && at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::string Escaped(const std::string& bytes)
{
    std::string out;
    for (const unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

// Where two byte strings part, with a few bytes of each around that place.
std::string DiffHint(const std::string& expected, const std::string& actual)
{
    const auto at = static_cast<std::size_t>(
        std::mismatch(
            expected.begin(), expected.begin() + std::min(expected.size(), actual.size()), actual.begin())
            .first
        - expected.begin());
    const std::size_t from = at < 16 ? 0 : at - 16;
    std::ostringstream hint;
    hint << "first difference at byte " << at << " (expected " << expected.size() << " bytes, got "
         << actual.size() << ")\n  expected: ..." << Escaped(expected.substr(from, 48))
         << "...\n  actual:   ..." << Escaped(actual.substr(from, 48)) << "...";
    return hint.str();
}

// The words of the case's args file (none when it is absent).
std::vector<std::string> CaseArgs(const fs::path& file)
{
    std::vector<std::string> args;
    std::istringstream words(fs::exists(file) ? ReadFile(file.string()) : "");
    for (std::string word; words >> word;)
        args.push_back(word);
    return args;
}

// The conversion set of a case: its input/ folder, or the folder of the
// source tree named in its "from" file (read only, never written).
fs::path CaseInput(const fs::path& dir)
{
    if (!fs::exists(dir / "from"))
        return dir / "input";
    std::istringstream words(ReadFile((dir / "from").string()));
    std::string relative;
    words >> relative;
    return fs::path(LEXICANA_SOURCE_DIR) / relative;
}

fs::path SetFileIn(const fs::path& folder)
{
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".lxs")
            return entry.path();
    return folder / "missing.lxs";
}

void WriteTree(const fs::path& root, const std::map<std::string, std::string>& files)
{
    fs::remove_all(root);
    for (const auto& [name, bytes] : files) {
        fs::create_directories((root / name).parent_path());
        WriteFile((root / name).string(), bytes);
    }
}

class GoldenTest : public ::testing::TestWithParam<std::string> { };

TEST_P(GoldenTest, ConversionWritesExactlyTheExpectedFiles)
{
    const fs::path dir = kCases / GetParam();
    TempDir work;
    TempDir settings;
    fs::copy(CaseInput(dir), work.path(), fs::copy_options::recursive);
    const auto before = ReadTree(work.path());
    std::vector<std::string> args = CaseArgs(dir / "args");
    args.push_back(SetFileIn(work.path()).string());

    const CliResult result = RunConvert(args, settings.path());
    ASSERT_FALSE(result.crashed) << result.err;
    const auto after = ReadTree(work.path());
    const std::string version = GetProductVersion();
    const std::string messages = ReplaceAll(result.err, work.path(), kCaseToken);

    if (std::getenv("LEXICANA_GOLDEN_UPDATE")) {
        std::map<std::string, std::string> changed;
        for (const auto& [name, bytes] : after)
            if (!before.count(name) || before.at(name) != bytes)
                changed[name] = ReplaceAll(bytes, version, kVersionToken);
        WriteTree(dir / "expected", changed);
        WriteFile((dir / "stderr").string(), messages);
        if (fs::exists(dir / "stdout"))
            WriteFile((dir / "stdout").string(), result.out);
        fs::remove(dir / "status");
        if (result.exitCode != 0)
            WriteFile((dir / "status").string(), std::to_string(result.exitCode) + "\n");
        std::printf("updated %s (%zu files)\n", dir.string().c_str(), changed.size());
        return;
    }

    const int status
        = fs::exists(dir / "status") ? std::atoi(ReadFile((dir / "status").string()).c_str()) : 0;
    EXPECT_EQ(result.exitCode, status) << result.err;
    if (fs::exists(dir / "stderr")) {
        EXPECT_EQ(messages, ReadFile((dir / "stderr").string()));
    }
    if (fs::exists(dir / "stdout")) {
        EXPECT_EQ(result.out, ReadFile((dir / "stdout").string()));
    }

    const auto expected = ReadTree(dir / "expected");
    for (const auto& [name, bytes] : after) {
        SCOPED_TRACE(name);
        if (expected.count(name)) {
            const std::string want = ReplaceAll(expected.at(name), kVersionToken, version);
            EXPECT_TRUE(bytes == want) << "differs from expected/" << name << ": " << DiffHint(want, bytes);
        } else if (!before.count(name)) {
            ADD_FAILURE() << "a file nobody expected was written";
        } else {
            EXPECT_TRUE(bytes == before.at(name))
                << "changed unexpectedly: " << DiffHint(before.at(name), bytes);
        }
    }
    for (const auto& [name, bytes] : expected)
        EXPECT_TRUE(after.count(name)) << name << " is expected but missing";
    for (const auto& [name, bytes] : before)
        EXPECT_TRUE(after.count(name)) << name << " was removed";
    EXPECT_TRUE(fs::is_empty(settings.path())) << "a run writes no settings";

    // Converting again finds every page and output file up to date and
    // leaves each one untouched (same bytes, inode and time).
    if (status == 0) {
        const auto converted = SnapshotTree(work.path());
        const CliResult again = RunConvert(args, settings.path());
        EXPECT_EQ(again.exitCode, 0) << again.err;
        EXPECT_TRUE(SnapshotTree(work.path()) == converted) << "the second run touched a file";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenTest, ::testing::ValuesIn(CaseNames()),
    [](const ::testing::TestParamInfo<std::string>& info) {
        std::string name = info.param;
        std::replace_if(
            name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
            '_');
        return name;
    });

} // namespace
} // namespace lexicana::test
