#include "common/messages.h"
#include "support/recordingsink.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace lexicana;
using lexicana::test::RecordingSink;

TEST(Messages, ReportErrorShowsLocationAndKindInAnErrorBox)
{
    RecordingSink sink;
    ReportError(std::runtime_error("M"), "OpenItemFile");
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_EQ(sink.last().text, "エラー発生場所 : OpenItemFile\r\nエラーの種類 : M");
    EXPECT_EQ(sink.last().caption, "エラー");
    EXPECT_EQ(sink.last().icon(), MessageIcon::Stop);
    EXPECT_EQ(sink.last().buttons(), MessageButtons::Ok);

    ReportError(std::runtime_error(""), "StrToStrs");
    EXPECT_EQ(sink.last().text, "エラー発生場所 : StrToStrs\r\nエラーの種類 : ");
}

TEST(Messages, FlagsMapToIconsAndButtons)
{
    EXPECT_EQ(ButtonsOfFlags(4), MessageButtons::YesNo);
    EXPECT_EQ(IconOfFlags(4), MessageIcon::None);
    EXPECT_EQ(ButtonsOfFlags(36), MessageButtons::YesNo);
    EXPECT_EQ(IconOfFlags(36), MessageIcon::Question);
    EXPECT_EQ(IconOfFlags(48), MessageIcon::Warning);
    EXPECT_EQ(ButtonsOfFlags(49), MessageButtons::OkCancel);
    EXPECT_EQ(IconOfFlags(52), MessageIcon::Warning);
    EXPECT_EQ(ButtonsOfFlags(52), MessageButtons::YesNo);
    EXPECT_EQ(IconOfFlags(64), MessageIcon::Information);
    EXPECT_EQ(ButtonsOfFlags(64), MessageButtons::Ok);
    EXPECT_EQ(ButtonsOfFlags(3 | 32), MessageButtons::YesNoCancel);
}

TEST(Messages, ScriptedAnswersAreReturnedInOrderThenFirstButton)
{
    RecordingSink sink;
    sink.Answer(IdNo).Answer(IdCancel);
    EXPECT_EQ(ShowMessageBox("q1", "c", 36), IdNo);
    EXPECT_EQ(ShowMessageBox("q2", "c", 3), IdCancel);
    EXPECT_EQ(ShowMessageBox("q3", "c", 4), IdYes);
    EXPECT_EQ(ShowMessageBox("i", "c", 64), IdOk);
    EXPECT_EQ(sink.count(), 4u);
    EXPECT_EQ(sink.boxes[0].text, "q1");
    EXPECT_EQ(sink.boxes[1].caption, "c");
}

TEST(Messages, SystemErrorBoxHasItsOwnCaptionAndNoOwner)
{
    RecordingSink sink;
    ShowLastSystemError(2);
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_EQ(sink.last().caption, "Error");
    EXPECT_EQ(sink.last().icon(), MessageIcon::Information);
    EXPECT_EQ(sink.last().buttons(), MessageButtons::Ok);
    EXPECT_FALSE(sink.last().ownedByMainWindow);
    EXPECT_FALSE(sink.last().text.empty());
}

TEST(Messages, SinksNestAndRestore)
{
    RecordingSink outer;
    {
        RecordingSink inner;
        ShowError("x");
        EXPECT_EQ(inner.count(), 1u);
    }
    ShowError("y");
    EXPECT_EQ(outer.count(), 1u);
    EXPECT_EQ(outer.last().text, "y");
}
