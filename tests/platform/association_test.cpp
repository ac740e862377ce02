#include "platform/association.h"
#include "support/testenv.h"
#include "support/xdgfolders.h"

#include <gtest/gtest.h>

using namespace lexicana;
using lexicana::test::TempDir;
using lexicana::test::XdgFolders;

TEST(Association, WritesTypeEntryAndDefaultIntoTheUserFolders)
{
    XdgFolders xdg;
    EXPECT_EQ(SetFileHandler(), "");
    std::string error;
    ASSERT_TRUE(PrepareSetFileAssociation(&error)) << error;
    ASSERT_TRUE(WriteSetFileAssociation("/opt/my tools/lexicana", "PNG", &error)) << error;

    const TAssociationFiles files = AssociationFiles();
    EXPECT_EQ(files.mimePackage, xdg.dataHome() + "/mime/packages/lexicana-lxs.xml");
    EXPECT_EQ(files.mimeApps, xdg.configHome() + "/mimeapps.list");
    const std::string package = TempDir::read(files.mimePackage);
    EXPECT_NE(package.find("<mime-type type=\"application/x-lexicana-set\">"), std::string::npos);
    EXPECT_NE(package.find("<glob pattern=\"*.lxs\""), std::string::npos);
    const std::string entry = TempDir::read(files.desktopEntry);
    EXPECT_NE(entry.find("\nExec=\"/opt/my tools/lexicana\" %f\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nMimeType=application/x-lexicana-set;\n"), std::string::npos);
    EXPECT_NE(entry.find("\nIcon=lexicana\n"), std::string::npos);
    EXPECT_EQ(TempDir::read(files.iconFile), "PNG");
    EXPECT_EQ(TempDir::read(files.mimeApps),
        "[Default Applications]\napplication/x-lexicana-set=lexicana.desktop;\n");
    EXPECT_EQ(SetFileHandler(), "lexicana.desktop");
}

TEST(Association, HandlerIsTheFirstInstalledDefaultInPrecedenceOrder)
{
    XdgFolders xdg;
    xdg.installApplication("other.desktop");
    // The system's list counts while the user's names no installed entry.
    XdgFolders::put(xdg.systemConfig() + "/mimeapps.list",
        "[Default Applications]\napplication/x-lexicana-set=system.desktop\n");
    xdg.installApplication("system.desktop");
    EXPECT_EQ(SetFileHandler(), "system.desktop");
    XdgFolders::put(xdg.configHome() + "/mimeapps.list",
        "[Added Associations]\napplication/x-lexicana-set=added.desktop;\n"
        "[Default Applications]\napplication/x-lexicana-set=gone.desktop;other.desktop;\n");
    EXPECT_EQ(SetFileHandler(), "other.desktop");
}

TEST(Association, DefaultIsSetKeepingEveryOtherLine)
{
    const std::string list = "# mine\n"
                             "[Added Associations]\n"
                             "application/x-lexicana-set=added.desktop;\n"
                             "\n"
                             "[Default Applications]\n"
                             "text/html=firefox.desktop\n"
                             "application/x-lexicana-set = other.desktop;lexicana.desktop;\n"
                             "image/png=viewer.desktop;\n"
                             "\n"
                             "[Removed Associations]\n"
                             "text/plain=x.desktop;";
    EXPECT_EQ(WithDefaultApplication(list, kSetFileMimeType, kDesktopFileId),
        "# mine\n"
        "[Added Associations]\n"
        "application/x-lexicana-set=added.desktop;\n"
        "\n"
        "[Default Applications]\n"
        "text/html=firefox.desktop\n"
        "application/x-lexicana-set=lexicana.desktop;other.desktop;\n"
        "image/png=viewer.desktop;\n"
        "\n"
        "[Removed Associations]\n"
        "text/plain=x.desktop;\n");
    // Added at the end of an existing section, or in a new section.
    EXPECT_EQ(
        WithDefaultApplication("[Default Applications]\ntext/html=a.desktop\n\n[X]\n", "t/x", "b.desktop"),
        "[Default Applications]\ntext/html=a.desktop\nt/x=b.desktop;\n\n[X]\n");
    EXPECT_EQ(WithDefaultApplication("[X]\nk=v", "t/x", "b.desktop"),
        "[X]\nk=v\n\n[Default Applications]\nt/x=b.desktop;\n");
    EXPECT_EQ(DefaultApplications(list, kSetFileMimeType),
        (std::vector<std::string> { "other.desktop", "lexicana.desktop" }));
}

TEST(Association, ExecArgumentQuotesAndEscapes)
{
    EXPECT_EQ(DesktopExecArgument("/usr/bin/lexicana"), "\"/usr/bin/lexicana\"");
    // " ` $ \ get a backslash inside the quotes, % is doubled, and every
    // backslash is doubled again for the string value.
    EXPECT_EQ(DesktopExecArgument("/a b/$x\"`100%\\z"), "\"/a b/\\\\$x\\\\\"\\\\`100%%\\\\\\\\z\"");
}

TEST(Association, FolderOrFileThatCannotBeWrittenFails)
{
    XdgFolders xdg;
    std::string error;
    // The configuration folder lies below a plain file.
    XdgFolders::put(xdg.root().file("plain"), "x");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(xdg.root().file("plain/config")));
    EXPECT_FALSE(PrepareSetFileAssociation(&error));
    EXPECT_NE(error.find("plain"), std::string::npos);

    // mimeapps.list is a folder: the files before it stay written.
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(xdg.configHome()));
    ASSERT_TRUE(PrepareSetFileAssociation(&error));
    QDir().mkpath(QString::fromStdString(xdg.configHome() + "/mimeapps.list"));
    EXPECT_FALSE(WriteSetFileAssociation("/usr/bin/lexicana", "", &error));
    EXPECT_NE(error.find("mimeapps.list"), std::string::npos);
    const std::string entry = TempDir::read(AssociationFiles().desktopEntry);
    EXPECT_NE(entry.find("\nIcon=accessories-dictionary\n"), std::string::npos);
}
