// Tests of the marked-block rewriter: which blocks get the value, what stays
// byte for byte, name resolution and the file results.
#include "common/textcode.h"
#include "html/replaceexttag.h"
#include "support/testenv.h"

#include <QFile>
#include <gtest/gtest.h>

namespace lexicana {
namespace {

std::string Replace(
    const std::string& content, const std::string& start = "<S>", const std::string& end = "<E>")
{
    std::string out;
    ReplaceMarkedBlocks(content, RepExtString { start, end, "V" }, out);
    return out;
}

TEST(ReplaceExtTagTest, BlocksGetValueAndEverythingElseStays)
{
    EXPECT_EQ(Replace("a<S>old<E>b<S><E>c"), "a<S>V<E>b<S>V<E>c");
    // The nearest start marker counts; unmatched markers leave the text.
    EXPECT_EQ(Replace("<S>x<S>y<E>"), "<S>x<S>V<E>");
    EXPECT_EQ(Replace("x<E>y<S>z"), "x<E>y<S>z");
    EXPECT_EQ(Replace("<E><S>q<E>"), "<E><S>V<E>");
    EXPECT_EQ(Replace(std::string("\x95\x5c\0z", 4)), std::string("\x95\x5c\0z", 4));
    EXPECT_EQ(Replace(""), "");
    // Markers that overlap or are empty never corrupt the text.
    EXPECT_EQ(Replace("<M>a<M>", "<M>", "<M>"), "<M>a<M>");
    EXPECT_EQ(Replace("a<E>b", "", "<E>"), "a<E>b");
    EXPECT_EQ(Replace("a<S>b", "<S>", ""), "a<S>b");

    // Entries apply in order: a value holding a later entry's markers is text to it.
    ReplaceExtTag tags("");
    EXPECT_EQ(tags.AddTag("<A>", "</A>", "<B>x</B>"), 1);
    EXPECT_EQ(tags.AddTag("<B>", "</B>", "y"), 2);
    EXPECT_EQ(tags.ApplyToText("<A>1</A><B>2</B>"), "<A><B>y</B></A><B>y</B>");
}

TEST(ReplaceExtTagTest, ValuesAreWrittenInTheCodeOfTheFile)
{
    struct Case {
        TextCode document;
        std::string value;
        std::string content;
        std::string expected;
    };
    const std::string sjisWord = "\x8C\xEA"; // 語 in Shift_JIS
    const std::string utf8Word = "\xE8\xAA\x9E"; // 語 in UTF-8
    const Case cases[] = {
        // A Shift_JIS document: a UTF-8 file gets the value decoded, any
        // other file the bytes as they are.
        { TextCode::ShiftJis, sjisWord, utf8Word + "<A>1</A>", utf8Word + "<A>" + utf8Word + "</A>" },
        { TextCode::ShiftJis, sjisWord, sjisWord + "<A>1</A>", sjisWord + "<A>" + sjisWord + "</A>" },
        // A UTF-8 document: a Shift_JIS file gets Shift_JIS, a character
        // without a code a reference.
        { TextCode::Utf8, utf8Word + "\xF0\x9F\x98\x80", sjisWord + "<A>1</A>",
            sjisWord + "<A>" + sjisWord + "&#x1F600;</A>" },
        { TextCode::Utf8, utf8Word, utf8Word + "<A>1</A>", utf8Word + "<A>" + utf8Word + "</A>" },
    };
    for (const Case& c : cases) {
        SetDocumentTextCode(c.document);
        ReplaceExtTag tags("");
        tags.AddTag("<A>", "</A>", c.value);
        EXPECT_EQ(tags.ApplyToText(c.content), c.expected) << c.content;
    }
    SetDocumentTextCode(TextCode::ShiftJis);
}

TEST(ReplaceExtTagTest, FilesResolveAgainstBaseDirAndReportFailures)
{
    test::TempDir dir;
    const std::string path = dir.write("top.html", "<S>0<E>\r\n");
    for (const std::string& base : { dir.path(), dir.path() + "/" }) {
        ReplaceExtTag tags(base);
        tags.AddTag("<S>", "<E>", base);
        EXPECT_EQ(tags.ResolveName("sub/../top.html"), dir.file("top.html"));
        EXPECT_EQ(tags.ResolveName(path), path);
        ASSERT_EQ(tags.ApplyToFile("sub/../top.html"), ExtTagOk);
        EXPECT_EQ(test::TempDir::read(path), "<S>" + base + "<E>\r\n");
    }
    EXPECT_EQ(ReplaceExtTag("C:\\gl").ResolveName("a\\..\\b.html"), "C:\\gl\\b.html");

    ReplaceExtTag tags(dir.path());
    tags.AddTag("<S>", "<E>", "new");
    EXPECT_EQ(tags.ApplyToFile("missing.html"), ExtTagCannotRead);
    EXPECT_EQ(tags.ApplyToFile(""), ExtTagCannotRead); // the folder itself
    QFile::setPermissions(QString::fromStdString(path), QFile::ReadOwner);
    EXPECT_EQ(tags.ApplyToFile("top.html"), ExtTagCannotWrite);
    EXPECT_EQ(test::TempDir::read(path), "<S>" + dir.path() + "/<E>\r\n");
    QFile::setPermissions(QString::fromStdString(path), QFile::ReadOwner | QFile::WriteOwner);
}

} // namespace
} // namespace lexicana
