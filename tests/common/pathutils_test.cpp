#include "common/pathutils.h"

#include <cstdint>
#include <gtest/gtest.h>

using namespace lexicana;

// "\x95\x5c" is 表 and "\x83\x5c" is ソ: their second byte is that of "\".

TEST(PathSeparators, TrailBytesAreNeverSeparators)
{
    const std::string path = "C:\\\x95\x5c\\a/b";
    EXPECT_TRUE(IsFolderSeparatorAt(path, 2));
    EXPECT_FALSE(IsFolderSeparatorAt(path, 4));
    EXPECT_TRUE(IsFolderSeparatorAt(path, 5));
    EXPECT_TRUE(IsFolderSeparatorAt(path, 7));
    EXPECT_FALSE(IsFolderSeparatorAt(path, 6));
    EXPECT_FALSE(IsFolderSeparatorAt(path, 99));

    EXPECT_FALSE(EndsWithFolderSeparator("C:\\\x95\x5c"));
    EXPECT_TRUE(EndsWithFolderSeparator("C:\\\x95\x5c\\"));
    EXPECT_TRUE(EndsWithFolderSeparator("/home/"));
    EXPECT_FALSE(EndsWithFolderSeparator(""));

    EXPECT_TRUE(HasDrivePrefix("c:\\x"));
    EXPECT_TRUE(HasDrivePrefix("Z:/"));
    EXPECT_FALSE(HasDrivePrefix("1:\\x"));
    EXPECT_FALSE(HasDrivePrefix("/c:"));

    EXPECT_EQ(SeparatorStyleOf("C:\\web\\x.lxs"), '\\');
    EXPECT_EQ(SeparatorStyleOf("C:\\x.lxs"), '\\');
    EXPECT_EQ(SeparatorStyleOf("/home/u/x.lxs"), '/');
    EXPECT_EQ(SeparatorStyleOf("x.lxs"), '/');
    EXPECT_EQ(SeparatorStyleOf("\x95\x5cx.lxs"), '/');
}

TEST(MakeAbsolutePath, PrefixesEverythingButDriveAndRootPaths)
{
    std::string path = "data.csv";
    MakeAbsolutePath("C:\\set\\", path);
    EXPECT_EQ(path, "C:\\set\\data.csv");

    path = "d:\\x.csv";
    MakeAbsolutePath("C:\\set\\", path);
    EXPECT_EQ(path, "d:\\x.csv");

    path = "\\x.csv";
    MakeAbsolutePath("C:\\set\\", path);
    EXPECT_EQ(path, "C:\\set\\\\x.csv");

    path = "";
    MakeAbsolutePath("C:\\set\\", path);
    EXPECT_EQ(path, "C:\\set\\");

    path = "data.csv";
    MakeAbsolutePath("/home/u/set/", path);
    EXPECT_EQ(path, "/home/u/set/data.csv");

    path = "/srv/x.csv";
    MakeAbsolutePath("/home/u/set/", path);
    EXPECT_EQ(path, "/srv/x.csv");
}

TEST(ResolveRelativePath, CollapsesParentStepsOfBothStyles)
{
    EXPECT_EQ(ResolveRelativePath("C:\\a\\b\\", "..\\..\\x.html"), "C:\\x.html");
    EXPECT_EQ(ResolveRelativePath("C:\\a\\b\\", "..\\c"), "C:\\a\\c");
    EXPECT_EQ(ResolveRelativePath("C:\\a\\b\\", "c\\d.html"), "C:\\a\\b\\c\\d.html");
    EXPECT_EQ(ResolveRelativePath("/a/b/", "../../x.html"), "/x.html");
    EXPECT_EQ(ResolveRelativePath("/a/b/", "../c"), "/a/c");
    EXPECT_EQ(ResolveRelativePath("/a/b/", "c/../d"), "/a/b/d");
    // The separator after the dots stays and joins the rest.
    EXPECT_EQ(ResolveRelativePath("C:\\a\\b\\", "../c"), "C:\\a/c");
}

TEST(ResolveRelativePath, KeepsAbsoluteRelativePaths)
{
    EXPECT_EQ(ResolveRelativePath("C:\\a\\", "\\\\server\\x"), "\\\\server\\x");
    EXPECT_EQ(ResolveRelativePath("C:\\a\\", "\\x"), "\\x");
    EXPECT_EQ(ResolveRelativePath("C:\\a\\", "d:\\x"), "d:\\x");
    EXPECT_EQ(ResolveRelativePath("/a/", "/srv/x"), "/srv/x");
}

TEST(ResolveRelativePath, StopsAtAStepWithNoFolderInFront)
{
    EXPECT_EQ(ResolveRelativePath("C:\\a\\", "..\\..\\x"), "C:\\..\\x");
    EXPECT_EQ(ResolveRelativePath("/a/", "../../x"), "/../x");
    EXPECT_EQ(ResolveRelativePath("", "..\\x"), "..\\x");
    EXPECT_EQ(ResolveRelativePath("a\\", "..\\..\\x"), "a\\..\\..\\x");
}

TEST(ResolveRelativePath, RemovesDoubleByteFolderNamesWhole)
{
    EXPECT_EQ(ResolveRelativePath("C:\\web\\\x95\x5c\\", "..\\x.html"), "C:\\web\\x.html");
    EXPECT_EQ(ResolveRelativePath("C:\\\x83\x5c\\\x95\x5c\\", "..\\..\\x.html"), "C:\\x.html");
    EXPECT_EQ(ResolveRelativePath("/web/\x83\x5c/", "../x.html"), "/web/x.html");
    // A folder name ending in a 0x5C trail byte followed by ".." is a name,
    // not a parent step.
    EXPECT_EQ(ResolveRelativePath("C:\\a\\", "\x95\x5c..\\x"), "C:\\a\\\x95\x5c..\\x");
}

TEST(ResolveRelativePath, DotsInsideAFolderNameAreNoParentStep)
{
    EXPECT_EQ(ResolveRelativePath("C:\\a\\", "b..\\c"), "C:\\a\\b..\\c");
    EXPECT_EQ(ResolveRelativePath("/a/", "b../../c"), "/a/c");
}

TEST(MakeRelativePath, UsesTheSeparatorStyleOfTheBase)
{
    EXPECT_EQ(MakeRelativePath("C:\\web\\img\\a.html", "C:\\web\\set\\x.lxs", false), "..\\img\\a.html");
    EXPECT_EQ(MakeRelativePath("C:\\web\\img\\a.html", "C:\\web\\set", true), "..\\img\\a.html");
    EXPECT_EQ(MakeRelativePath("C:\\web\\img\\a.html", "C:\\web\\set\\", true), "..\\img\\a.html");
    EXPECT_EQ(MakeRelativePath("C:\\set\\y.csv", "C:\\set\\z.lxs", false), "y.csv");
    EXPECT_EQ(MakeRelativePath("C:\\set\\sub\\y.csv", "C:\\set\\z.lxs", false), "sub\\y.csv");

    EXPECT_EQ(MakeRelativePath("/home/u/img/a.html", "/home/u/set/x.lxs", false), "../img/a.html");
    EXPECT_EQ(MakeRelativePath("/home/u/img/a.html", "/home/u/set", true), "../img/a.html");
    EXPECT_EQ(MakeRelativePath("/a/y.html", "/a/b/c/x.lxs", false), "../../y.html");
    EXPECT_EQ(MakeRelativePath("/x/y.html", "/a/b/x.lxs", false), "../../x/y.html");
    // The same folder written with the other separator is still shared.
    EXPECT_EQ(MakeRelativePath("C:/web/img/a.html", "C:\\web\\set\\x.lxs", false), "..\\img/a.html");
}

TEST(MakeRelativePath, ReturnsThePathWhenNothingIsShared)
{
    EXPECT_EQ(MakeRelativePath("D:\\x\\y.csv", "C:\\set\\z.lxs", false), "D:\\x\\y.csv");
    EXPECT_EQ(MakeRelativePath("y.csv", "C:\\set\\z.lxs", false), "y.csv");
    EXPECT_EQ(MakeRelativePath("C:\\set\\y.csv", "z.lxs", false), "C:\\set\\y.csv");
    EXPECT_EQ(MakeRelativePath("C:y.csv", "C:z.lxs", false), "C:y.csv");
    EXPECT_EQ(MakeRelativePath("C:\\web\\set\\y.csv", "C:\\web\\settings", true), "..\\set\\y.csv");
}

TEST(MakeRelativePath, CountsDoubleByteFolderNamesAsOneStep)
{
    EXPECT_EQ(MakeRelativePath("C:\\web\\img\\a.html", "C:\\web\\\x95\x5c\\x.lxs", false), "..\\img\\a.html");
    EXPECT_EQ(MakeRelativePath("C:\\web\\\x95\x5c\\a.html", "C:\\web\\\x95\x5c\\x.lxs", false), "a.html");
    EXPECT_EQ(MakeRelativePath("C:\\\x83\x5c\\b\\a.html", "C:\\\x83\x5c\\x.lxs", false), "b\\a.html");
    // The folders differ only in the trail byte after a shared lead byte.
    EXPECT_EQ(MakeRelativePath("C:\\\x95\x5d\\a.html", "C:\\\x95\x5c\\x.lxs", false), "..\\\x95\x5d\\a.html");
    EXPECT_EQ(MakeRelativePath("/w/\x83\x5c/a.html", "/w/\x83\x5c/x/y", true), "../../a.html");
}

TEST(FileNameParts, SplitAtTheLastSeparatorOrColon)
{
    EXPECT_EQ(ExtractFileDir("C:\\web\\a.html"), "C:\\web\\");
    EXPECT_EQ(ExtractFileName("C:\\web\\a.html"), "a.html");
    EXPECT_EQ(ExtractFileDir("/home/a.html"), "/home/");
    EXPECT_EQ(ExtractFileDir("a.html"), "");
    EXPECT_EQ(ExtractFileName("a.html"), "a.html");
    EXPECT_EQ(ExtractFileDir("C:\\\x95\x5c.html"), "C:\\");
    EXPECT_EQ(ExtractFileName("C:\\\x95\x5c.html"), "\x95\x5c.html");
    EXPECT_EQ(ExtractFileName("C:\\web\\"), "");

    EXPECT_EQ(IncludeTrailingSeparator("C:\\web"), "C:\\web\\");
    EXPECT_EQ(IncludeTrailingSeparator("C:\\\x95\x5c"), "C:\\\x95\x5c\\");
    EXPECT_EQ(IncludeTrailingSeparator("C:\\web\\"), "C:\\web\\");
    EXPECT_EQ(IncludeTrailingSeparator("/home/u"), "/home/u/");
    EXPECT_EQ(IncludeTrailingSeparator("/home/u/"), "/home/u/");
    EXPECT_EQ(IncludeTrailingSeparator(""), "");
}

TEST(PathSeparators, ColonIsAnOrdinaryCharacterOutsideWindowsDrivePrefixes)
{
    for (const char* name : { "c:x", "Z:", "v1:2", "a:b.csv", "1:\\x" })
        EXPECT_FALSE(HasDrivePrefix(name)) << name;
    EXPECT_EQ(SeparatorStyleOf("C:x.lxs"), '/');

    // A set saved as "v1:2.lxs" next to its item data, and back.
    const std::string set = "/home/u/v1:2.lxs";
    EXPECT_EQ(ExtractFileDir(set), "/home/u/");
    EXPECT_EQ(ExtractFileName(set), "v1:2.lxs");
    EXPECT_EQ(ExtractFileDir("C:a.html"), "");
    EXPECT_EQ(ExtractFileName("C:a.html"), "C:a.html");
    std::string value = MakeRelativePath("/home/u/items.csv", set, false);
    EXPECT_EQ(value, "items.csv");
    MakeAbsolutePath(ExtractFileDir(set), value);
    EXPECT_EQ(value, "/home/u/items.csv");

    struct Case {
        const char* folder;
        const char* value;
        const char* absolute;
    };
    const Case cases[] = {
        { "/home/u/set/", "a:b.csv", "/home/u/set/a:b.csv" },
        { "/home/u/set/", "d:x.csv", "/home/u/set/d:x.csv" },
        // Set files written on Windows.
        { "C:\\gl\\", "items.csv", "C:\\gl\\items.csv" },
        { "C:\\gl\\", "d:\\x.csv", "d:\\x.csv" },
        { "C:\\gl\\", "D:/x.csv", "D:/x.csv" },
        { "C:\\gl\\set\\", "..\\data\\x.csv", "C:\\gl\\set\\..\\data\\x.csv" },
    };
    for (const Case& c : cases) {
        value = c.value;
        MakeAbsolutePath(c.folder, value);
        EXPECT_EQ(value, c.absolute) << c.value;
    }
    EXPECT_EQ(ResolveRelativePath("/a/", "d:x"), "/a/d:x");
    EXPECT_EQ(ResolveRelativePath("/a/", "d:\\x"), "d:\\x");
}

TEST(PathSeparators, EveryHelperAgreesOnRandomByteStrings)
{
    // A lone lead byte before "/" leaves the "/" a separator; before "\" it
    // pairs with it.
    EXPECT_EQ(IncludeTrailingSeparator("/web/x\xe9"), "/web/x\xe9/");
    EXPECT_EQ(IncludeTrailingSeparator("C:\\web\\x\xe9"), "C:\\web\\x\xe9/");
    EXPECT_EQ(ExtractFileName("/web/x\xe9/p.html"), "p.html");
    EXPECT_TRUE(IsFolderSeparatorAt("/web/x\xe9/p.html", 7));

    const char alphabet[]
        = { '/', '\\', ':', '.', 'a', '\x81', '\x95', '\xe9', '\xfc', '\x5c', '\x40', '\x7f', '\xfd' };
    std::uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return seed >> 16;
    };
    for (int round = 0; round < 20000; ++round) {
        std::string x;
        for (std::uint32_t n = next() % 9; n > 0; --n)
            x += alphabet[next() % sizeof alphabet];
        const std::string dir = ExtractFileDir(x);
        const std::string name = ExtractFileName(x);
        ASSERT_EQ(dir + name, x);
        ASSERT_TRUE(dir.empty() || EndsWithFolderSeparator(dir)) << x;
        for (std::size_t i = 0; i < name.size(); ++i)
            ASSERT_FALSE(IsFolderSeparatorAt(x, dir.size() + i)) << x;
        ASSERT_EQ(EndsWithFolderSeparator(x), !x.empty() && IsFolderSeparatorAt(x, x.size() - 1)) << x;

        const std::string folder = IncludeTrailingSeparator(x);
        ASSERT_EQ(IncludeTrailingSeparator(folder), folder) << x;
        ASSERT_EQ(folder.compare(0, x.size(), x), 0);
        if (!x.empty()) {
            ASSERT_TRUE(EndsWithFolderSeparator(folder)) << x;
            ASSERT_EQ(ExtractFileDir(folder + "p.html"), folder) << x;
            ASSERT_EQ(ExtractFileName(folder + "p.html"), "p.html") << x;
        }
        // WithSlashSeparators turns exactly the "\" separators into "/".
        const std::string slashed = WithSlashSeparators(x);
        ASSERT_EQ(slashed.size(), x.size());
        for (std::size_t i = 0; i < x.size(); ++i)
            ASSERT_EQ(slashed[i], IsFolderSeparatorAt(x, i) ? '/' : x[i]) << x;
    }
}
