#include "document/document.h"
#include "support/recordingsink.h"
#include "support/testenv.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

using namespace lexicana;
using lexicana::test::RecordingSink;
using lexicana::test::TempDir;
namespace fs = std::filesystem;

namespace {

class RecordingUi : public IDocumentUi {
public:
    bool AskSetFileSaveName(const std::string& currentName, std::string& path) override
    {
        asked.push_back(currentName);
        if (!answer)
            return false;
        path = *answer;
        return true;
    }
    void UpdateCaption() override { ++captions; }
    void SetBusyCursor(bool busy) override { cursor.push_back(busy); }
    void AddRecentFile(const std::string& path) override { recent.push_back(path); }

    std::optional<std::string> answer;
    std::vector<std::string> asked;
    std::vector<bool> cursor;
    std::vector<std::string> recent;
    int captions = 0;
};

class SuspensionCounter : public IRecordTableObserver {
public:
    void UpdatesSuspended(bool suspended) override { events.push_back(suspended); }
    std::vector<bool> events;
};

// Runs a test body inside another current folder and restores the old one.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::string& folder)
        : previous_(fs::current_path())
    {
        fs::current_path(folder);
    }
    ~CurrentFolder() { fs::current_path(previous_); }

private:
    fs::path previous_;
};

const char* const kItems = "\"\",\"a\",\"b\",\"c\"\r\n\"1\",\"x\",\"y\",\"z\"\r\n";
const char* const kTable = "[Column]\r\nCount=5\r\n[Title]\r\n1=One\r\n";

class SetFileTest : public ::testing::Test {
protected:
    SetFileTest()
        : global(false)
        , doc(global, &ui)
    {
    }

    bool SameFile(const std::string& a, const std::string& b)
    {
        return fs::weakly_canonical(a) == fs::weakly_canonical(b);
    }

    TempDir dir;
    RecordingSink sink;
    RecordingUi ui;
    TGlobal global;
    TDocument doc;
};

} // namespace

TEST_F(SetFileTest, ReadingResolvesValuesAgainstTheSetFileFolderAndLoadsTheSet)
{
    fs::create_directories(dir.file("data"));
    dir.write("items.csv", kItems);
    dir.write("data/table.ctb", kTable);
    // No header line, keys in another order and letter case, other lines.
    const std::string set = dir.write("set.lxs",
        "comment\r\nCTB=data/"
        "table.ctb\r\nrep=\r\nCSV=items.csv\r\nHTMLdir=\r\nInfoOutputList=\r\ncsv=other.csv\r\n");
    SuspensionCounter observer;
    doc.Grid().SetObserver(&observer);

    ASSERT_EQ(doc.ReadLxsFile(set), 0);
    doc.Grid().SetObserver(nullptr);
    EXPECT_EQ(sink.count(), 0u) << (sink.count() ? sink.last().text : "");
    EXPECT_EQ(global.ItemFileName, dir.path() + "/items.csv");
    EXPECT_EQ(global.TableFileName, dir.path() + "/data/table.ctb");
    EXPECT_EQ(global.RepFileName, "");
    EXPECT_EQ(global.HTMLDir, dir.path() + "/");
    EXPECT_EQ(global.InfoOutputList, "");
    EXPECT_EQ(global.SetFileName, set);
    EXPECT_FALSE(global.SetFileUntitled);
    EXPECT_EQ(doc.SetFileLines.size(), 7u);

    // The records come from the item file, the columns from the table.
    EXPECT_EQ(doc.Grid().ColCount(), 6);
    EXPECT_EQ(doc.Grid().Cell(1, 0), "One");
    EXPECT_EQ(doc.Grid().Cell(3, 1), "z");

    EXPECT_EQ(ui.recent, std::vector<std::string> { set });
    EXPECT_GE(ui.captions, 1);
    ASSERT_FALSE(ui.cursor.empty());
    EXPECT_TRUE(ui.cursor.front());
    EXPECT_FALSE(ui.cursor.back());
    ASSERT_GE(observer.events.size(), 2u);
    EXPECT_TRUE(observer.events.front());
    EXPECT_FALSE(observer.events.back());
    EXPECT_EQ(doc.Grid().UpdateCount(), 0);
}

TEST_F(SetFileTest, ValuesAreTakenUntrimmedAndOnlyDriveOrSlashIsAbsolute)
{
    dir.write("a=b.csv", kItems);
    dir.write(" t.ctb", kTable);
    const std::string set = dir.write("set.lxs",
        "csv=a=b.csv\r\nctb= t.ctb\r\nrep=d:\\x.rep\r\nHTMLdir=\\html\\\r\nInfoOutputList=/abs/list.txt\r\n");
    ASSERT_EQ(doc.ReadLxsFile(set), 0);
    const std::string folder = dir.path() + "/";
    EXPECT_EQ(global.ItemFileName, folder + "a=b.csv");
    EXPECT_EQ(global.TableFileName, folder + " t.ctb");
    EXPECT_EQ(global.RepFileName, "d:\\x.rep");
    EXPECT_EQ(global.HTMLDir, folder + "\\html\\");
    EXPECT_EQ(global.InfoOutputList, "/abs/list.txt");
    EXPECT_EQ(global.SetFileName, set);
    EXPECT_FALSE(global.SetFileUntitled);
}

// A set whose item data or table cannot be read is not opened: the open set
// keeps its records, names, flags and recent files, and the message names
// the file that failed.
TEST_F(SetFileTest, ASetThatCannotBeReadWholeLeavesTheOpenSetAsItWas)
{
    dir.write("items.csv", kItems);
    dir.write("table.ctb", kTable);
    const std::string setA = dir.write("a.lxs", "csv=items.csv\r\nctb=table.ctb\r\n");
    ASSERT_EQ(doc.ReadLxsFile(setA), 0);
    doc.Grid().SetCell(1, 1, "edited");
    global.ItemDataModified = true;
    const TGlobal before = global;
    const std::vector<std::string> row1 = doc.Grid().Row(1);
    const int cols = doc.Grid().ColCount(), rows = doc.Grid().RowCount();
    const TStringList setLines = doc.SetFileLines, mainLines = doc.MainTableLines;

    fs::create_directories(dir.file("folder.csv"));
    dir.write("other.csv", "\"\",\"p\"\r\n\"1\",\"q\"\r\n\"2\",\"r\"\r\n");
    dir.write("bad.ctb", "[Column]\r\nCount=x\r\n");
    const struct {
        const char* set;
        const char* failing; // the file the message must name
    } cases[] = {
        { "csv=missing.csv\r\nctb=table.ctb\r\n", "missing.csv" },
        { "csv=folder.csv\r\nctb=table.ctb\r\n", "folder.csv" },
        { "csv=other.csv\r\nctb=missing.ctb\r\n", "missing.ctb" },
        { "csv=other.csv\r\nctb=bad.ctb\r\n", "bad.ctb" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.set);
        sink.clear();
        EXPECT_EQ(doc.ReadLxsFile(dir.write("b.lxs", c.set)), -2);
        bool named = false;
        for (const auto& box : sink.boxes)
            named |= box.text.find(c.failing) != std::string::npos;
        EXPECT_TRUE(named);
        EXPECT_EQ(global.SetFileName, setA);
        EXPECT_EQ(global.ItemFileName, before.ItemFileName);
        EXPECT_EQ(global.TableFileName, before.TableFileName);
        EXPECT_EQ(global.HTMLDir, before.HTMLDir);
        EXPECT_TRUE(global.ItemDataModified);
        EXPECT_FALSE(global.ItemFileUntitled);
        EXPECT_EQ(global.LinkColumns, before.LinkColumns);
        EXPECT_EQ(global.SortCol, before.SortCol);
        EXPECT_EQ(doc.Grid().ColCount(), cols);
        EXPECT_EQ(doc.Grid().RowCount(), rows);
        EXPECT_EQ(doc.Grid().Row(1), row1);
        EXPECT_EQ(doc.SetFileLines, setLines);
        EXPECT_EQ(doc.MainTableLines, mainLines);
        EXPECT_EQ(ui.recent, std::vector<std::string> { setA });
        EXPECT_FALSE(ui.cursor.back());
    }
}

TEST_F(SetFileTest, EmptyCsvOrCtbRefusesWithoutChangingTheSet)
{
    global.ItemFileName = "keep.csv";
    const std::string both = dir.write("both.lxs", "[Lexicana]\r\ncsv=\r\nctb=\r\n");
    EXPECT_EQ(doc.ReadLxsFile(both), 2);
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_EQ(sink.last().text, "csvキーの値がありません");
    EXPECT_EQ(sink.last().flags, 0);

    const std::string noCtb = dir.write("noctb.lxs", "csv=x.csv\r\nHTMLdir=h\r\n");
    EXPECT_EQ(doc.ReadLxsFile(noCtb), 3);
    ASSERT_EQ(sink.count(), 2u);
    EXPECT_EQ(sink.last().text, "ctbキーの値がありません");
    EXPECT_EQ(sink.last().flags, 0);

    EXPECT_EQ(global.ItemFileName, "keep.csv");
    EXPECT_EQ(global.HTMLDir, "");
    EXPECT_TRUE(global.SetFileUntitled);
    EXPECT_TRUE(ui.recent.empty());
    ASSERT_FALSE(ui.cursor.empty());
    EXPECT_FALSE(ui.cursor.back());
}

TEST_F(SetFileTest, AMissingSetFileIsReportedAndTheCursorRestored)
{
    EXPECT_EQ(doc.ReadLxsFile(dir.file("none.lxs")), -2);
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_EQ(sink.last().text.rfind("エラー発生場所 : ReadLxsFile\r\nエラーの種類 : ", 0), 0u);
    EXPECT_NE(sink.last().text.find("none.lxs"), std::string::npos);
    EXPECT_TRUE(global.SetFileUntitled);
    ASSERT_FALSE(ui.cursor.empty());
    EXPECT_FALSE(ui.cursor.back());
}

TEST_F(SetFileTest, WritingMakesWindowsPathsRelativeAndReadsThemBack)
{
    // "C:\gl\..." names a folder "C:" in the current folder on this system,
    // so a set written with drive paths can be written and read for real.
    CurrentFolder here(dir.path());
    fs::create_directories("C:/gl");
    dir.write("C:/gl/items.csv", kItems);
    dir.write("C:/gl/t.ctb", kTable);

    global.ItemFileName = "C:\\gl\\items.csv";
    global.TableFileName = "C:\\gl\\t.ctb";
    global.RepFileName = "C:\\items.csv";
    global.HTMLDir = "C:\\gl\\";
    global.InfoOutputList = "D:\\x\\t.lst";
    ASSERT_EQ(doc.WriteLxsFile("C:\\gl\\set.lxs"), 0);
    EXPECT_EQ(TempDir::read(dir.file("C:/gl/set.lxs")),
        "[Lexicana]\r\ncsv=items.csv\r\nctb=t.ctb\r\nrep=..\\items.csv\r\nHTMLdir=\r\n"
        "InfoOutputList=D:\\x\\t.lst\r\n");

    TGlobal other(false);
    TDocument reader(other);
    ASSERT_EQ(reader.ReadLxsFile("C:\\gl\\set.lxs"), 0);
    EXPECT_EQ(sink.count(), 0u) << (sink.count() ? sink.last().text : "");
    EXPECT_EQ(other.ItemFileName, "C:\\gl\\items.csv");
    EXPECT_EQ(other.TableFileName, "C:\\gl\\t.ctb");
    EXPECT_EQ(other.RepFileName, "C:\\gl\\..\\items.csv");
    EXPECT_EQ(other.HTMLDir, "C:\\gl\\");
    EXPECT_EQ(other.InfoOutputList, "D:\\x\\t.lst");
    EXPECT_EQ(reader.Grid().Cell(2, 1), "y");
    EXPECT_EQ(reader.Grid().ColCount(), 6);
}

TEST_F(SetFileTest, AWrittenSetReadsBackToTheSameFiles)
{
    fs::create_directories(dir.file("sets"));
    fs::create_directories(dir.file("data"));
    fs::create_directories(dir.file("html"));
    dir.write("data/items.csv", kItems);
    dir.write("sets/t.ctb", kTable);
    global.ItemFileName = dir.file("data/items.csv");
    global.TableFileName = dir.file("sets/t.ctb");
    global.RepFileName = dir.file("rep.txt");
    global.HTMLDir = dir.file("html/");
    global.InfoOutputList = dir.file("sets/info.txt");
    const std::string set = dir.file("sets/set.lxs");
    ASSERT_EQ(doc.WriteLxsFile(set), 0);
    EXPECT_EQ(TempDir::read(set),
        "[Lexicana]\r\ncsv=../data/items.csv\r\nctb=t.ctb\r\nrep=../rep.txt\r\nHTMLdir=../html/\r\n"
        "InfoOutputList=info.txt\r\n");

    TGlobal other(false);
    TDocument reader(other);
    ASSERT_EQ(reader.ReadLxsFile(set), 0);
    EXPECT_EQ(sink.count(), 0u) << (sink.count() ? sink.last().text : "");
    EXPECT_TRUE(SameFile(other.ItemFileName, global.ItemFileName)) << other.ItemFileName;
    EXPECT_TRUE(SameFile(other.TableFileName, global.TableFileName)) << other.TableFileName;
    EXPECT_TRUE(SameFile(other.RepFileName, global.RepFileName)) << other.RepFileName;
    EXPECT_TRUE(SameFile(other.HTMLDir, global.HTMLDir)) << other.HTMLDir;
    EXPECT_TRUE(SameFile(other.InfoOutputList, global.InfoOutputList)) << other.InfoOutputList;
    EXPECT_EQ(reader.Grid().Cell(1, 1), "x");
}

TEST_F(SetFileTest, ASetFileWrittenOnWindowsWithBackslashesOpensHere)
{
    fs::create_directories(dir.file("data"));
    dir.write("data/items.csv", kItems);
    dir.write("data/t.ctb", kTable);
    const std::string set = dir.write("set.lxs",
        "[Lexicana]\r\ncsv=data\\items.csv\r\nctb=data\\t.ctb\r\nrep=\r\nHTMLdir=html\\\r\nInfoOutputList="
        "\r\n");
    ASSERT_EQ(doc.ReadLxsFile(set), 0);
    EXPECT_EQ(sink.count(), 0u) << (sink.count() ? sink.last().text : "");
    EXPECT_EQ(global.ItemFileName, dir.path() + "/data\\items.csv");
    EXPECT_EQ(doc.Grid().Cell(3, 1), "z");
    EXPECT_EQ(doc.Grid().Cell(1, 0), "One");
    EXPECT_EQ(doc.Grid().ColCount(), 6);
}

TEST_F(SetFileTest, SaveCommandsAskOnlyWhileUntitledAndRecordTheName)
{
    global.ItemFileName = dir.file("items.csv");
    global.TableFileName = dir.file("t.ctb");

    EXPECT_EQ(doc.LxsSaveDlg(), 1); // untitled: the dialog, cancelled
    ASSERT_EQ(ui.asked.size(), 1u);
    EXPECT_TRUE(global.SetFileUntitled);
    EXPECT_EQ(ui.captions, 0);

    ui.answer = dir.file("new.lxs");
    EXPECT_EQ(doc.LxsSaveDlg(), 0);
    EXPECT_EQ(ui.asked.size(), 2u);
    EXPECT_EQ(global.SetFileName, dir.file("new.lxs"));
    EXPECT_FALSE(global.SetFileUntitled);
    EXPECT_EQ(ui.recent, std::vector<std::string> { dir.file("new.lxs") });
    EXPECT_EQ(ui.captions, 1);
    EXPECT_EQ(TempDir::read(dir.file("new.lxs")),
        "[Lexicana]\r\ncsv=items.csv\r\nctb=t.ctb\r\nrep=\r\nHTMLdir=\r\n"
        "InfoOutputList=\r\n");

    // Titled: written in place without a dialog, replacing the old content.
    global.RepFileName = dir.file("r.txt");
    EXPECT_EQ(doc.LxsSaveDlg(), 0);
    EXPECT_EQ(ui.asked.size(), 2u);
    EXPECT_NE(TempDir::read(dir.file("new.lxs")).find("rep=r.txt\r\n"), std::string::npos);
    EXPECT_EQ(sink.count(), 0u);
}

TEST_F(SetFileTest, ASetFileThatCannotBeWrittenIsReportedAndNotTakenAsSaved)
{
    const std::string bad = dir.file("no/such/folder/set.lxs");
    EXPECT_EQ(doc.WriteLxsFile(bad), 1);
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_EQ(sink.last().caption, "エラー");
    EXPECT_NE(sink.last().text.find(bad), std::string::npos);

    ui.answer = bad;
    EXPECT_EQ(doc.LxsSaveAsDlg(), -2);
    EXPECT_EQ(sink.count(), 2u);
    EXPECT_TRUE(global.SetFileUntitled);
    EXPECT_NE(global.SetFileName, bad);
    EXPECT_TRUE(ui.recent.empty());
    EXPECT_EQ(ui.captions, 0);

    global.SetFileUntitled = false;
    global.SetFileName = bad;
    EXPECT_EQ(doc.LxsSaveDlg(), -2);
    EXPECT_EQ(sink.count(), 3u);
    EXPECT_FALSE(fs::exists(bad));
}
