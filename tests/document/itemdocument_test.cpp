#include "document/document.h"
#include "platform/sjistext.h"
#include "support/recordingsink.h"
#include "support/testenv.h"

#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <vector>

using namespace lexicana;
using lexicana::test::RecordingSink;
using lexicana::test::TempDir;

namespace {

using Cells = std::vector<std::string>;

// Records the window updates and answers the save dialogs from a script.
class RecordingUi : public IDocumentUi {
public:
    std::vector<std::string> calls;
    bool itemDialogAnswers = true;
    std::string itemPath;
    int itemFilter = 1;
    int setDialogs = 0;

    bool AskItemFileSaveName(const std::string& currentName, std::string& path, int& filterIndex) override
    {
        calls.push_back("ask item " + currentName);
        if (!itemDialogAnswers)
            return false;
        path = itemPath;
        filterIndex = itemFilter;
        return true;
    }
    bool AskSetFileSaveName(const std::string&, std::string&) override
    {
        ++setDialogs;
        return false;
    }
    void UpdateCaption() override { calls.push_back("caption"); }
    void ShowCellPosition() override { calls.push_back("position"); }
    void SelectCell(int col, int row) override
    {
        calls.push_back("select " + std::to_string(col) + "," + std::to_string(row));
    }
};

class ItemDocument : public ::testing::Test {
protected:
    ItemDocument()
        : global(false)
        , doc(global, &ui)
    {
        global.ItemFileName = "named.csv";
        doc.Grid().SetRow(0, { "h0", "h1" });
        doc.Grid().SetRow(1, { "1", "old" });
    }
    RecordingSink sink;
    TempDir dir;
    TGlobal global;
    RecordingUi ui;
    TDocument doc;
};

} // namespace

TEST_F(ItemDocument, OpenItemFileChoosesTheFormFromKindAndExtension)
{
    const std::string comma = "\"a\",\"b\\tc\"\r\n";
    const std::string tab = "a\tb\\tc\r\n";
    struct Case {
        std::string name;
        std::string bytes;
        int kind;
        Cells row0;
    };
    const std::vector<Case> cases {
        { "k1.csv", comma, 1, { "a", "btc", "", "" } },
        { "k1.cdat", comma, 1, { "a", "btc", "", "" } }, // only the "c" after the last "." counts
        { "k1.CSV", tab, 1, { "a", "b\tc", "", "" } }, // upper-case "C" is not the comma form
        { "k1.txt", tab, 1, { "a", "b\tc", "", "" } },
        { "noextension", tab, 1, { "a", "b\tc", "", "" } },
        { "k2.txt", comma, 2, { "a", "btc", "", "" } },
        { "k3.csv", tab, 3, { "a", "b\tc", "", "" } },
    };
    for (const Case& c : cases) {
        global.ItemFileUntitled = true;
        global.ItemDataModified = true;
        ui.calls.clear();
        const std::string path = dir.write(c.name, c.bytes);
        ASSERT_EQ(doc.OpenItemFile(path, c.kind), 0) << c.name;
        EXPECT_EQ(doc.Grid().Row(0), c.row0) << c.name;
        EXPECT_EQ(global.ItemFileKind, c.kind);
        EXPECT_FALSE(global.ItemFileUntitled);
        EXPECT_FALSE(global.ItemDataModified);
        EXPECT_EQ(global.ItemFileName, "named.csv"); // the caller names the file
        EXPECT_EQ(ui.calls, (std::vector<std::string> { "caption", "position", "select 1,1" }));
    }
    // The folder part of the path counts too when the file name has no ".".
    const std::string folder = dir.path() + "/set.c";
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    dir.write("set.c/items", comma);
    ASSERT_EQ(doc.OpenItemFile(folder + "/items", 1), 0);
    EXPECT_EQ(doc.Grid().Cell(1, 0), "btc");
    EXPECT_EQ(sink.count(), 0u);
}

TEST_F(ItemDocument, FailedOpenKeepsRecordsNameAndFlags)
{
    global.ItemFileUntitled = false;
    global.ItemDataModified = true;
    global.ItemFileKind = 2;
    EXPECT_EQ(doc.OpenItemFile(dir.file("missing.csv"), 1), -2);
    ASSERT_EQ(sink.count(), 1u); // reported once, by the file routine
    EXPECT_NE(sink.last().text.find("StrLoadFromFile"), std::string::npos);
    EXPECT_EQ(doc.Grid().Row(1), (Cells { "1", "old", "", "", "" }));
    EXPECT_EQ(global.ItemFileName, "named.csv");
    EXPECT_EQ(global.ItemFileKind, 2);
    EXPECT_FALSE(global.ItemFileUntitled);
    EXPECT_TRUE(global.ItemDataModified);
    EXPECT_TRUE(ui.calls.empty());

    // A kind no dialog offers is refused with a report, not read.
    const std::string path = dir.write("x.csv", "a,b\r\n");
    EXPECT_EQ(doc.OpenItemFile(path, 4), -2);
    EXPECT_EQ(sink.count(), 2u);
    EXPECT_NE(sink.last().text.find("OpenItemFile"), std::string::npos);
    EXPECT_EQ(doc.Grid().Cell(1, 1), "old");
}

TEST_F(ItemDocument, WriteItemFileWritesTheFormTheSetFileReadsBack)
{
    doc.Grid().SetCell(2, 1, "a\"b\tc ");
    global.ItemDataModified = true;
    EXPECT_EQ(doc.WriteItemFile(dir.file("first.csv"), 1), 100);
    // Without a table, lines are MinColCount fields wide, or as wide as
    // their own cells reach.
    EXPECT_EQ(TempDir::read(dir.file("first.csv")),
        "\"h0\",\"h1\",\"\",\"\"\r\n\"1\",\"old\",\"a\"\"b\tc\",\"\"\r\n");
    EXPECT_FALSE(global.ItemDataModified);
    EXPECT_EQ(ui.calls, (std::vector<std::string> { "caption" }));
    EXPECT_EQ(doc.Grid().Cell(2, 1), "a\"b\tc");

    // Whichever kind chose the name, the form is the one kind 1 (the set
    // file's) reads for that name, so reopening gives the same grid.
    const TRecordTable before = doc.Grid();
    const struct {
        const char* name;
        int kind;
        bool comma;
    } cases[] = {
        { "k1.csv", 1, true },
        { "k2.csv", 2, true },
        { "k3.csv", 3, true },
        { "UPPER.CSV", 1, false },
        { "k1.txt", 1, false },
        { "k2.txt", 2, false },
        { "k3.txt", 3, false },
    };
    for (const auto& c : cases) {
        const std::string path = dir.file(c.name);
        ASSERT_EQ(doc.WriteItemFile(path, c.kind), 100) << c.name;
        EXPECT_EQ(TempDir::read(path).substr(0, 3), c.comma ? "\"h0" : "h0\t") << c.name;
        doc.Grid().SetCell(1, 1, "changed");
        ASSERT_EQ(doc.OpenItemFile(path, 1), 0) << c.name;
        ASSERT_EQ(doc.Grid().RowCount(), before.RowCount()) << c.name;
        for (int row = 0; row < before.RowCount(); ++row)
            for (int col = 0; col < before.ColCount(); ++col)
                EXPECT_EQ(doc.Grid().Cell(col, row), before.Cell(col, row)) << c.name;
    }
    EXPECT_EQ(global.ItemFileName, "named.csv"); // names stay
    EXPECT_EQ(sink.count(), 0u);

    global.ItemDataModified = true;
    EXPECT_EQ(doc.WriteItemFile(dir.path() + "/missing/out.csv", 1), -2);
    EXPECT_TRUE(global.ItemDataModified);
    EXPECT_EQ(sink.count(), 1u);
    EXPECT_EQ(doc.WriteItemFile(dir.file("first.csv"), 0), -2);
    EXPECT_NE(sink.last().text.find("WriteItemFile"), std::string::npos);
    EXPECT_TRUE(global.ItemDataModified);
}

TEST_F(ItemDocument, SaveAsNamesTheFileAndOffersToUpdateTheSetFile)
{
    // Cancelled: nothing changes, nothing is asked.
    ui.itemDialogAnswers = false;
    global.ItemDataModified = true;
    EXPECT_EQ(doc.SaveAsDlg(), 104);
    EXPECT_TRUE(global.ItemDataModified);
    EXPECT_EQ(sink.count(), 0u);
    EXPECT_EQ(ui.calls, (std::vector<std::string> { "ask item named.csv" }));

    // Saved (filter 2 to a ".csv" name: the comma form the set file reads);
    // the set-file question answered No.
    ui.itemDialogAnswers = true;
    ui.itemPath = dir.file(SjisOf("用語.csv"));
    ui.itemFilter = 2;
    sink.Answer(IdNo);
    EXPECT_EQ(doc.SaveAsDlg(), 100);
    EXPECT_EQ(TempDir::read(dir.file("用語.csv")).substr(0, 6), "\"h0\",\"");
    EXPECT_EQ(global.ItemFileName, ui.itemPath);
    EXPECT_EQ(global.ItemFileKind, 2);
    EXPECT_FALSE(global.ItemFileUntitled);
    EXPECT_FALSE(global.ItemDataModified);
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_EQ(sink.last().text, "項目データファイルが変更されました。\nセットファイルを更新しますか？");
    EXPECT_EQ(sink.last().caption, "項目データファイル変更");
    EXPECT_EQ(sink.last().flags, 52);
    EXPECT_EQ(ui.setDialogs, 0);

    // Yes saves the (untitled) set file through its own dialog.
    sink.Answer(IdYes);
    ui.itemFilter = 1;
    EXPECT_EQ(doc.SaveAsDlg(), 100);
    EXPECT_EQ(ui.setDialogs, 1);
    EXPECT_EQ(global.ItemFileKind, 1);

    // A failed write keeps the old name and flags and asks nothing.
    sink.clear();
    global.ItemDataModified = true;
    ui.itemPath = dir.path() + "/missing/x.csv";
    ui.itemFilter = 2;
    EXPECT_EQ(doc.SaveAsDlg(), -2);
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_NE(sink.last().text.find("StrSaveToFile"), std::string::npos);
    EXPECT_EQ(global.ItemFileName, dir.file(SjisOf("用語.csv")));
    EXPECT_EQ(global.ItemFileKind, 1);
    EXPECT_TRUE(global.ItemDataModified);
}

TEST_F(ItemDocument, SaveDlgAsksOnlyForAnUntitledDocument)
{
    global.ItemFileUntitled = true;
    global.ItemDataModified = true;
    ui.itemPath = dir.file("first.csv");
    sink.Answer(IdNo);
    EXPECT_EQ(doc.SaveDlg(), 100);
    EXPECT_EQ(ui.calls.front(), "ask item named.csv");
    EXPECT_EQ(global.ItemFileName, ui.itemPath);

    ui.calls.clear();
    doc.Grid().SetCell(1, 1, "changed");
    global.ItemDataModified = true;
    EXPECT_EQ(doc.SaveDlg(), 100);
    EXPECT_EQ(ui.calls, (std::vector<std::string> { "caption" })); // no dialog, no question
    EXPECT_EQ(sink.count(), 1u);
    EXPECT_FALSE(global.ItemDataModified);
    EXPECT_NE(TempDir::read(ui.itemPath).find("\"changed\""), std::string::npos);

    // The saved file opens to the same records.
    doc.Grid().SetCell(1, 1, "gone");
    ASSERT_EQ(doc.OpenItemFile(ui.itemPath, 1), 0);
    EXPECT_EQ(doc.Grid().Row(1), (Cells { "1", "changed", "", "" })); // empty columns are not loaded
}
