#include "common/fileio.h"
#include "support/testenv.h"
#include "support/unprivileged.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace lexicana;
using lexicana::test::RunWithoutRootRights;
using lexicana::test::TempDir;
namespace fs = std::filesystem;

namespace {

std::string AllByteValues(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
    return bytes;
}

std::size_t EntriesIn(const std::string& folder)
{
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder))
        ++n;
    return n;
}

} // namespace

TEST(FileIO, WriteAndReadKeepEveryByte)
{
    TempDir dir;
    const std::string path = dir.file("page.html");
    // Larger than one read block, with zero bytes, CR, LF and Ctrl-Z inside.
    const std::string bytes = AllByteValues(3 * 32768 + 17) + "\r\n\n\r\x1a" + std::string(3, '\0');
    EXPECT_EQ(WriteStringToFile(path, bytes), FileOk);
    EXPECT_EQ(TempDir::read(path), bytes);
    std::string text = "old";
    EXPECT_EQ(ReadFileToString(path, text), FileOk);
    EXPECT_EQ(text, bytes);

    EXPECT_EQ(WriteStringToFile(path, ""), FileOk);
    EXPECT_EQ(ReadFileToString(path, text), FileOk);
    EXPECT_EQ(text, "");
    // Only the file itself is left in the folder: no temporary files.
    EXPECT_EQ(EntriesIn(dir.path()), 1u);
}

TEST(FileIO, ReadGives105AndEmptyTextForAnythingButARegularFile)
{
    TempDir dir;
    const std::string fifo = dir.file("pipe.csv");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string target = dir.write("real.csv", "data");
    // A sparse file one byte past the limit: no disk space, never read.
    const std::string huge = dir.write("huge.csv", "");
    fs::resize_file(huge, 512ULL * 1024 * 1024 + 1);
    fs::create_symlink(target, dir.file("link.csv"));
    struct Case {
        std::string path;
        const char* reason; // nullptr: read
    };
    const Case cases[] = {
        { dir.file("missing.html"), "ファイルを開けません" },
        { dir.path(), "通常のファイルではありません" },
        { fifo, "通常のファイルではありません" }, // no writer: would block
        { "/dev/zero", "通常のファイルではありません" }, // would never end
        { huge, "ファイルが大きすぎます" },
        { dir.file("link.csv"), nullptr },
    };
    for (const Case& c : cases) {
        std::string text = "old";
        std::string reason;
        EXPECT_EQ(ReadFileToString(c.path, text, &reason), c.reason ? FileCannotOpen : FileOk) << c.path;
        EXPECT_EQ(text, c.reason ? "" : "data");
        // The reason, then the file it names.
        EXPECT_EQ(reason.rfind(c.reason ? c.reason : "", 0), 0u) << reason;
        EXPECT_TRUE(reason.ends_with(c.reason ? " : " + c.path : "")) << reason;
        EXPECT_EQ(reason.empty(), !c.reason);
    }
    EXPECT_THROW(LoadLines("/dev/zero"), std::runtime_error);
}

TEST(FileIO, WriteRefusesMissingFoldersFoldersAndReadOnlyFiles)
{
    TempDir dir;
    EXPECT_EQ(WriteStringToFile(dir.file("no/such/x.html"), "x"), FileCannotOpen);
    std::string error;
    EXPECT_FALSE(SaveFileAtomically(dir.file("no/x.html"), "x", &error));
    EXPECT_NE(error.find("no/x.html"), std::string::npos);

    fs::create_directory(dir.file("sub"));
    EXPECT_EQ(WriteStringToFile(dir.file("sub"), "x"), FileCannotOpen);
    EXPECT_TRUE(DirectoryExists(dir.file("sub")));

    const std::string locked = dir.write("locked.html", "keep");
    fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(WriteStringToFile(locked, "new"), FileCannotOpen);
    error.clear();
    EXPECT_FALSE(SaveFileAtomically(locked, "new", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(TempDir::read(locked), "keep");
    EXPECT_EQ(fs::status(locked).permissions() & fs::perms::all,
        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(EntriesIn(dir.path()), 2u);
}

TEST(FileIO, AFileInAFolderThatTakesNoNewFileIsWrittenInPlace)
{
    TempDir dir;
    fs::permissions(dir.path(), fs::perms(0755));
    fs::create_directory(dir.file("locked"));
    const std::string path = dir.write("locked/items.csv", "old content");
    const std::string readOnly = dir.write("locked/ro.csv", "keep");
    fs::permissions(path, fs::perms(0666));
    fs::permissions(readOnly, fs::perms(0444));
    fs::permissions(dir.file("locked"), fs::perms(0555));
    EXPECT_TRUE(RunWithoutRootRights([&] {
        return SaveFileAtomically(path, "new") && !SaveFileAtomically(readOnly, "x")
            && WriteStringToFile(dir.file("locked/new.csv"), "x") == FileCannotOpen;
    }));
    fs::permissions(dir.file("locked"), fs::perms(0755));
    EXPECT_EQ(TempDir::read(path), "new");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, fs::perms(0666));
    EXPECT_EQ(TempDir::read(readOnly), "keep");
    EXPECT_EQ(EntriesIn(dir.file("locked")), 2u);
}

TEST(FileIO, DevicesAndFifosAreWrittenToAndNeverReplaced)
{
    TempDir dir;
    // A node of the "full" device of our own (as root), else /dev/full, which
    // an ordinary user could not replace anyway.
    std::string full = dir.file("full");
    if (::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0)
        full = "/dev/full";
    if (fs::is_character_file(full)) {
        std::string error;
        EXPECT_FALSE(SaveFileAtomically(full, "x", &error));
        EXPECT_NE(error.find(" : " + full), std::string::npos) << error;
        EXPECT_TRUE(fs::is_character_file(full));
        fs::remove(dir.file("full"));
    }
    const std::string fifo = dir.file("out.html");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // No reader: refused at once rather than waited for.
    EXPECT_EQ(WriteStringToFile(fifo, "x"), FileCannotOpen);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(WriteStringToFile(fifo, "page"), FileOk);
    char got[8] = {};
    EXPECT_EQ(::read(reader, got, sizeof got), 4);
    EXPECT_STREQ(got, "page");
    ::close(reader);
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(EntriesIn(dir.path()), 1u);
}

TEST(FileIO, ReplacingAFileKeepsItsPermissionBits)
{
    TempDir dir;
    const std::string path = dir.write("page.html", "old");
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(path, mode);
    EXPECT_EQ(WriteStringToFile(path, "new"), FileOk);
    EXPECT_EQ(TempDir::read(path), "new");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, mode);
    // A new file is readable and writable by its owner.
    const std::string created = dir.file("created.html");
    EXPECT_EQ(WriteStringToFile(created, "x"), FileOk);
    const fs::perms made = fs::status(created).permissions();
    EXPECT_NE(made & fs::perms::owner_read, fs::perms::none);
    EXPECT_NE(made & fs::perms::owner_write, fs::perms::none);
}

TEST(FileIO, DocumentPathsWithBackslashesAndShiftJisNamesReachTheFile)
{
    TempDir dir;
    // Folder 表 (second byte 0x5C) holding ソ.html (second byte 0x5C).
    fs::create_directory(fs::path(dir.path()) / fs::path(u8"表"));
    const std::string documentPath = dir.path() + "\\\x95\x5c\\\x83\x5c.html";
    const std::string nativePath = dir.path() + "/表/ソ.html";

    EXPECT_EQ(WriteStringToFile(documentPath, "\x83\x5c"), FileOk);
    EXPECT_EQ(TempDir::read(nativePath), "\x83\x5c");
    std::string text;
    EXPECT_EQ(ReadFileToString(documentPath, text), FileOk);
    EXPECT_EQ(text, "\x83\x5c");
    EXPECT_TRUE(FileExists(documentPath));
    EXPECT_FALSE(DirectoryExists(documentPath));
    EXPECT_TRUE(DirectoryExists(dir.path() + "\\\x95\x5c"));
    EXPECT_FALSE(FileExists(dir.path() + "\\\x95\x5c"));
    EXPECT_FALSE(FileExists(dir.path() + "\\missing"));
}

TEST(LineLists, SplitAtEveryKindOfLineEnd)
{
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (TStringList { "a", "b", "c", "d" }));
    EXPECT_EQ(SplitLines("a\r\n"), (TStringList { "a" }));
    EXPECT_EQ(SplitLines("\r\n"), (TStringList { "" }));
    EXPECT_EQ(SplitLines("a\n\n"), (TStringList { "a", "" }));
    EXPECT_EQ(SplitLines("\r\r\n\n\r"), (TStringList { "", "", "", "" }));
    EXPECT_EQ(SplitLines("\x95\x5c\r\n\x83\x5c"), (TStringList { "\x95\x5c", "\x83\x5c" }));
    EXPECT_TRUE(SplitLines("").empty());
}

TEST(LineLists, SaveWritesCrLfAfterEachLineAndLoadReadsItBack)
{
    TempDir dir;
    const std::string path = dir.file("set.lxs");
    const TStringList lines = { "[Files]", "", "\x95\x5c.csv" };
    SaveLines(path, lines);
    EXPECT_EQ(TempDir::read(path), "[Files]\r\n\r\n\x95\x5c.csv\r\n");
    EXPECT_EQ(LoadLines(path), lines);

    SaveLines(path, {});
    EXPECT_EQ(TempDir::read(path), "");
    EXPECT_TRUE(LoadLines(path).empty());

    EXPECT_THROW(LoadLines(dir.file("missing.lxs")), std::runtime_error);
    EXPECT_THROW(SaveLines(dir.file("no/set.lxs"), lines), std::runtime_error);
}
