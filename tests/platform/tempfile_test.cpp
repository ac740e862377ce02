#include "platform/tempfile.h"
#include "support/testenv.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace lexicana::test {
namespace {

namespace fs = std::filesystem;

// Putting a new file in place of each kind of target: a file takes its
// target's permission bits, a link's target is replaced and the link kept,
// and a read-only file, a FIFO or a folder is refused and left as it was.
TEST(TempFile, ReplacingKeepsLinksAndModesAndRefusesWhatIsNoWritableFile)
{
    const struct {
        const char* kind;
        bool replaced;
    } cases[] = {
        { "file 0640", true },
        { "link", true },
        { "dangling link", true },
        { "missing", true },
        { "file 0444", false },
        { "fifo", false },
        { "folder", false },
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string kind = c.kind;
        const std::string page = dir.file("page.html");
        const std::string target = dir.file("target.html");
        if (kind == "file 0640" || kind == "file 0444") {
            dir.write("page.html", "old");
            fs::permissions(page, kind == "file 0640" ? fs::perms(0640) : fs::perms(0444));
        } else if (kind == "link") {
            dir.write("target.html", "old");
            fs::permissions(target, fs::perms(0604));
            fs::create_symlink("target.html", page);
        } else if (kind == "dangling link") {
            fs::create_symlink("gone.html", page);
        } else if (kind == "fifo") {
            ASSERT_EQ(::mkfifo(page.c_str(), 0644), 0);
        } else if (kind == "folder") {
            fs::create_directory(page);
        }
        const std::string temp = dir.write(".page.html.lexicana-abcdef.tmp", "new");
        EXPECT_EQ(ReplaceFileWithTemp(temp, page), c.replaced) << kind;
        EXPECT_EQ(fs::exists(temp), !c.replaced) << kind;
        if (kind == "file 0640") {
            EXPECT_EQ(TempDir::read(page), "new");
            EXPECT_EQ(fs::status(page).permissions() & fs::perms::mask, fs::perms(0640));
        } else if (kind == "link") {
            EXPECT_TRUE(fs::is_symlink(page));
            EXPECT_EQ(TempDir::read(target), "new");
            EXPECT_EQ(fs::status(target).permissions() & fs::perms::mask, fs::perms(0604));
        } else if (c.replaced) {
            EXPECT_FALSE(fs::is_symlink(page)) << kind;
            EXPECT_EQ(TempDir::read(page), "new") << kind;
        } else if (kind == "file 0444") {
            EXPECT_EQ(TempDir::read(page), "old");
        } else {
            EXPECT_EQ(
                fs::status(page).type(), kind == "fifo" ? fs::file_type::fifo : fs::file_type::directory);
        }
    }
}

} // namespace
} // namespace lexicana::test
