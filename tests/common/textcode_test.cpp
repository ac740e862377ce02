#include "common/textcode.h"
#include "common/utils.h"

#include <future>
#include <gtest/gtest.h>
#include <thread>

using namespace lexicana;

TEST(TextCode, Utf8IsToldFromShiftJisByValidityAndAMultiByteCharacter)
{
    struct Case {
        std::string bytes;
        TFileCode expected;
    };
    const TFileCode sjis, utf8 { TextCode::Utf8, false }, bom { TextCode::Utf8, true };
    const Case cases[] = {
        { "plain ascii,\r\n", sjis },
        { "", sjis },
        { "\xEF\xBB\xBF", bom },
        { "\xEF\xBB\xBF\x82\xA0", bom }, // the mark wins over the bytes
        { "caf\xC3\xA9", utf8 },
        { "\xF0\xA0\xAE\xB7", utf8 }, // 𠮷
        { "\x82\xA0\x82\xA2", sjis }, // あい
        { "\x83\x41\xE3\x81", sjis }, // cut off
        { "\xC0\xAF", sjis }, // overlong
        { "\xED\xA0\x80", sjis }, // surrogate
        { "\xF4\x90\x80\x80", sjis }, // beyond U+10FFFF
    };
    for (const Case& c : cases)
        EXPECT_EQ(DetectFileCode(c.bytes), c.expected) << c.bytes;
}

TEST(TextCode, CharactersOfEitherCodeAreSteppedOverWholeAndStrayBytesStandAlone)
{
    const std::string text = "a\xC3\xA9\xE3\x81\x82\xF0\xA0\xAE\xB7\xE3\x81" "b";
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); i += CharLength(TextCode::Utf8, text, i))
        starts.push_back(i);
    EXPECT_EQ(starts, (std::vector<std::size_t> { 0, 1, 3, 6, 10, 11, 12 }));
    EXPECT_EQ(CharLength(TextCode::ShiftJis, "\x83\x41", 0), 2u);
    EXPECT_EQ(CharLength(TextCode::ShiftJis, "\x83", 0), 1u);

    SetDocumentTextCode(TextCode::Utf8);
    // "\x81\x82" is the end of "あ" and "\x82\xE3" straddles two characters.
    EXPECT_EQ(FindChars("\xE3\x81\x82\xE3\x81\x82", "\x82\xE3"), std::string::npos);
    EXPECT_EQ(FindChars("x\xE3\x81\x82", "\xE3\x81\x82"), 1u);
    SetDocumentTextCode(TextCode::ShiftJis);
}

namespace lexicana {
namespace {

// A helper thread that holds its own code keeps it while the document's
// code switches, and the other threads follow the document.
TEST(TextCode, AThreadHoldingItsOwnCodeKeepsItWhileTheDocumentSwitches)
{
    SetDocumentTextCode(TextCode::ShiftJis);
    std::promise<void> held, switched;
    TextCode seenInside = TextCode::Utf8, seenAfter = TextCode::Utf8;
    std::thread helper([&] {
        {
            const ThreadTextCode own(TextCode::ShiftJis);
            held.set_value();
            switched.get_future().wait();
            seenInside = DocumentTextCode();
        }
        seenAfter = DocumentTextCode();
    });
    held.get_future().wait();
    SetDocumentTextCode(TextCode::Utf8);
    switched.set_value();
    helper.join();
    EXPECT_EQ(seenInside, TextCode::ShiftJis);
    EXPECT_EQ(seenAfter, TextCode::Utf8);
    EXPECT_EQ(DocumentTextCode(), TextCode::Utf8);
    SetDocumentTextCode(TextCode::ShiftJis);
}

} // namespace
} // namespace lexicana
