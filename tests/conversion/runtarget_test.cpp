#include "conversion/runtarget.h"

#include <gtest/gtest.h>

namespace {

using lexicana::TRunTarget;

TEST(RunTarget, AFolderRunPlacesOnlyFilesOfTheHtmlFolder)
{
    TRunTarget target;
    target.mode = TRunTarget::Mode::Folder;
    target.folder = "/out/";
    const struct {
        const char* base;
        const char* path;
        const char* expected; // "" when the file is not placed
    } cases[] = {
        { "/w/html/", "/w/html/a.html", "/out/a.html" },
        { "/w/html", "/w/html/sub/b.html", "/out/sub/b.html" },
        { "/w/./html/", "/w/html/a.html", "/out/a.html" },
        { "/w/html/", "/w/html/x/../a.html", "/out/a.html" },
        { "/w/html/", "/w/html/../other/b.html", "" },
        { "/w/html/", "/w/other/b.html", "" },
        { "/w/html/", "/w/html/", "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(target.FolderPathOf(c.base, c.path), c.expected) << c.base << " " << c.path;
}

} // namespace
