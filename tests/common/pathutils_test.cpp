#include "common/pathutils.h"

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

    EXPECT_TRUE(HasDrivePrefix("c:x"));
    EXPECT_TRUE(HasDrivePrefix("Z:"));
    EXPECT_FALSE(HasDrivePrefix("1:\\x"));
    EXPECT_FALSE(HasDrivePrefix("/c:"));

    EXPECT_EQ(SeparatorStyleOf("C:\\web\\x.lxs"), '\\');
    EXPECT_EQ(SeparatorStyleOf("C:x.lxs"), '\\');
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
    EXPECT_EQ(ExtractFileDir("C:a.html"), "C:");
    EXPECT_EQ(ExtractFileName("C:a.html"), "a.html");
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
