#include "cli/terminalline.h"
#include "cli/terminalprogress.h"
#include "data/global.h"
#include "platform/sjistext.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace lexicana {
namespace {

TEST(TerminalProgress, InterruptClearsConvertingAtTheNextCheckOnly)
{
    TGlobal global(false);
    global.Converting = true;
    TTerminalLine line(stderr, false);
    bool interrupted = false;
    TTerminalProgress progress(global, line, [&] { return interrupted; });
    progress.ProcessEvents();
    EXPECT_TRUE(global.Converting);
    interrupted = true;
    EXPECT_TRUE(global.Converting) << "the flag is only looked at in ProcessEvents";
    progress.ProcessEvents();
    EXPECT_FALSE(global.Converting);
    EXPECT_TRUE(progress.Cancelled());
}

TEST(TerminalProgress, LineNamesStepPagePartAndRecordInUtf8)
{
    TGlobal global(false);
    TTerminalLine line(stderr, false);
    TTerminalProgress progress(global, line, {});
    progress.Open(1, 40);
    progress.SetFileName(SjisOf("用語/a.html"));
    progress.SetPartId(SjisOf("表"));
    progress.SelectStep(IConversionProgress::StepMakePart);
    progress.SetRecord(7, 40);
    EXPECT_EQ(progress.LineText(), "変換中 7/40 [Lexicanaパートの作成] 用語/a.html (表)");
}

TEST(TerminalLine, FitsWideCharactersIntoTheColumnsWithoutSplittingThem)
{
    EXPECT_EQ(FitToColumns("abc", 10), "abc");
    EXPECT_EQ(FitToColumns("変換中です", 5), "変換");
    EXPECT_EQ(FitToColumns("a変換", 2), "a");
    EXPECT_EQ(FitToColumns("a変換", 3), "a変");
    EXPECT_EQ(FitToColumns("x", 0), "");

    // Not a terminal: nothing is drawn or erased.
    std::FILE* f = std::tmpfile();
    TTerminalLine off(f, false);
    off.Show("変換中");
    off.Clear();
    EXPECT_EQ(std::ftell(f), 0);
    TTerminalLine on(f, true);
    on.Clear(); // nothing shown yet
    EXPECT_EQ(std::ftell(f), 0);
    on.Show("ab");
    on.Clear();
    EXPECT_GT(std::ftell(f), 0);
    std::fclose(f);
}

} // namespace
} // namespace lexicana
