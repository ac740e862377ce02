// The file dialogs' filters in Qt's form, the refusal of names that have
// no Shift_JIS code, and the folder the dialogs start in.
#include "app/filedialogs.h"
#include "platform/sjistext.h"
#include "support/recordingsink.h"
#include "support/testenv.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace lexicana::test {
namespace {

TEST(FileDialogs, FiltersKeepTheirDescriptionsAndSplitThePatterns)
{
    EXPECT_EQ(TQtFileDialogs::QtFilters(kOpenItemFilter),
        QStringList(
            { "テキストファイル(CSV形式)(*.csv; *.txt) (*.csv *.txt)", "全てのファイル(*.*) (*.*)" }));
    EXPECT_EQ(TQtFileDialogs::QtFilters(kSetFileFilter).first(), "Lexicanaセットファイル(*.lxs) (*.lxs)");
}

TEST(FileDialogs, ChosenNamesBecomeShiftJisPathsOrAreRefused)
{
    RecordingSink sink;
    std::string path;
    ASSERT_TRUE(TQtFileDialogs::AcceptChosenName("/tmp/用語集.lxs", path));
    EXPECT_EQ(path, "/tmp/" + SjisOf("用語集") + ".lxs");
    EXPECT_EQ(sink.count(), 0u);

    path = "kept";
    EXPECT_FALSE(TQtFileDialogs::AcceptChosenName(QString::fromUtf8("/tmp/\xED\x95\x9C.lxs"), path));
    EXPECT_EQ(path, "kept");
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_EQ(sink.last().caption, "エラー");
}

// The folder the next file dialog shows; the dialog is cancelled.
QString StartFolder(const std::function<void()>& run)
{
    QString folder;
    QTimer::singleShot(0, [&folder] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            folder = dialog->directory().absolutePath();
            dialog->reject();
        }
    });
    run();
    return folder;
}

TEST(FileDialogs, StartInTheFolderOfTheFileBeingSavedElseOfTheSetFile)
{
    TempDir dir;
    std::filesystem::create_directories(dir.file("set"));
    std::filesystem::create_directories(dir.file("items"));
    std::string setFile = dir.file("set/a.lxs");
    TQtFileDialogs dialogs(nullptr, [&setFile] { return setFile; });
    std::string path;
    int filter = 1;
    const QString setFolder = QString::fromStdString(dir.file("set"));
    EXPECT_EQ(StartFolder([&] { dialogs.OpenSetFile(path); }), setFolder);
    EXPECT_EQ(StartFolder([&] { dialogs.OpenItemFile(path, filter); }), setFolder);
    EXPECT_EQ(StartFolder([&] { dialogs.SaveItemFile("\x96\xb3\x91\xe8", path, filter); }), setFolder);
    EXPECT_EQ(StartFolder([&] { dialogs.SaveItemFile(dir.file("items/b.csv"), path, filter); }),
        QString::fromStdString(dir.file("items")));
    EXPECT_EQ(StartFolder([&] { dialogs.SaveSetFile(setFile, path); }), setFolder);
}

} // namespace
} // namespace lexicana::test
