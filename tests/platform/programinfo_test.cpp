#include "platform/programinfo.h"
#include "support/testenv.h"

#include <QDir>
#include <QString>
#include <gtest/gtest.h>

using namespace lexicana;
using lexicana::test::TempDir;

TEST(ProgramDataFolder, BesideTheProgramElseInstalledShareElseTheProgramFolder)
{
    TempDir dir;
    const struct {
        const char* program;
        const char* expected;
    } cases[] = {
        { "build/bin/lexicana", "build/bin" }, // build tree: template/ beside the program
        { "manualonly/bin/lexicana", "manualonly/bin" }, // manual/ alone is enough
        { "prefix/bin/lexicana", "prefix/share/lexicana" }, // installed
        { "bare/bin/lexicana", "bare/bin" }, // neither: the program's folder
    };
    for (const char* folder : { "build/bin/template", "build/share/lexicana", "manualonly/bin/manual",
             "prefix/bin", "prefix/share/lexicana/template", "bare/bin" })
        ASSERT_TRUE(QDir().mkpath(QString::fromStdString(dir.file(folder))));
    for (const auto& c : cases)
        EXPECT_EQ(ProgramDataFolder(dir.file(c.program)), dir.file(c.expected)) << c.program;

    // "" is the running program, a test binary in the build tree's bin/.
    EXPECT_EQ(ProgramDataFolder(""), RunningProgramFolder());
}
