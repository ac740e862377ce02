#include "common/messages.h"
#include "common/translate.h"

#include <gtest/gtest.h>
#include <string>

using namespace lexicana;

TEST(Translate, FillArgsPutsEachArgumentInItsPlaceOnce)
{
    const struct {
        const char* text;
        std::initializer_list<std::string> args;
        const char* expected;
    } cases[] = {
        { "レコード%1と、レコード%2", { "3", "7" }, "レコード3と、レコード7" },
        { "%2 before %1", { "a", "b" }, "b before a" }, // a translation's own order
        { "%1%1", { "x" }, "xx" },
        { "%1", { "%2" }, "%2" }, // an argument is not expanded again
        { "%1 %2", { "only" }, "only %2" }, // no argument: kept
        { "100%% %1", { "x" }, "100%% x" },
        { "%", {}, "%" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(FillArgs(c.text, c.args), c.expected) << c.text;
}

TEST(Translate, CoreTextsGoThroughTheInstalledTranslator)
{
    EXPECT_EQ(ErrorReportText("M", "Open"), "エラー発生場所 : Open\r\nエラーの種類 : M");
    const TextTranslator previous = SetTextTranslator([](const char* source) {
        return std::string(source) == "エラー発生場所 : %1\r\nエラーの種類 : %2" ? std::string("%2 (in %1)")
                                                                                 : std::string(source);
    });
    EXPECT_EQ(ErrorReportText("M", "Open"), "M (in Open)");
    SetTextTranslator(previous);
    EXPECT_EQ(Tr("エラー"), "エラー");
}
