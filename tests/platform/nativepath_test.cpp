#include "platform/nativepath.h"

#include <gtest/gtest.h>

using namespace lexicana;

// "\x95\x5c" is 表 and "\x83\x5c" is ソ: their second byte is that of "\".

TEST(NativeFileName, TurnsStandAloneBackslashesIntoSlashesOnly)
{
    EXPECT_EQ(NativeFileName("C:\\web\\a.html"), "C:/web/a.html");
    EXPECT_EQ(NativeFileName("/home/u/a.html"), "/home/u/a.html");
    EXPECT_EQ(NativeFileName("\\\\server\\x"), "//server/x");
    EXPECT_EQ(NativeFileName(""), "");
}

TEST(NativeFileName, DecodesShiftJisAndKeepsTrailBytesOfDoubleByteCharacters)
{
    EXPECT_EQ(NativeFileName("C:\\\x95\x5c\\\x83\x5c.html"), "C:/表/ソ.html");
    EXPECT_EQ(NativeFileName("/tmp/\x95\x5c\x83\x5c/x"), "/tmp/表ソ/x");
    EXPECT_EQ(NativeFileName("\x96\xb3\x91\xe8.txt"), "無題.txt");
}

TEST(DocumentPathFromNative, RoundTripsThroughNativeFileName)
{
    std::string documentPath;
    ASSERT_TRUE(DocumentPathFromNative("/tmp/表/ソ.html", documentPath));
    EXPECT_EQ(documentPath, "/tmp/\x95\x5c/\x83\x5c.html");
    EXPECT_EQ(NativeFileName(documentPath), "/tmp/表/ソ.html");

    ASSERT_TRUE(DocumentPathFromNative("plain/a.html", documentPath));
    EXPECT_EQ(documentPath, "plain/a.html");

    // A name with a character that has no Shift_JIS code is refused and
    // the output is left alone.
    documentPath = "keep";
    EXPECT_FALSE(DocumentPathFromNative("/tmp/\xea\xb0\x80.html", documentPath));
    EXPECT_EQ(documentPath, "keep");
}
