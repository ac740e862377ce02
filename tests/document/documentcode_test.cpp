// A UTF-8 document through its files: read, written back in its code,
// converted by Save As, and tables and set files in the other code.
#include "common/fileio.h"
#include "document/document.h"
#include "platform/filesystem.h"
#include "platform/sjistext.h"
#include "support/conversionset.h"
#include "support/recordingsink.h"
#include "support/testenv.h"

#include <gtest/gtest.h>

using namespace lexicana;
using lexicana::test::RecordingSink;
using lexicana::test::TempDir;

namespace {

std::string Read(const std::string& path)
{
    std::string bytes;
    EXPECT_EQ(ReadFileToString(path, bytes), FileOk) << path;
    return bytes;
}

class SaveUi : public IDocumentUi {
public:
    std::string path;
    int filter = 1;
    int offered = 0;
    bool AskItemFileSaveName(const std::string&, std::string& chosen, int& filterIndex) override
    {
        offered = filterIndex;
        chosen = path;
        filterIndex = filter;
        return true;
    }
};

struct DocumentCode : ::testing::Test {
    RecordingSink sink;
    TempDir dir;
    TGlobal global { false };
    SaveUi ui;
    TDocument doc { global, &ui };
    ~DocumentCode() override { SetDocumentTextCode(TextCode::ShiftJis); }
};

const std::string kUtf8Items
    = "\xEF\xBB\xBF\"\",\"k\",\"\xE8\xAA\x9E\"\r\n\"1\",\"x\",\"caf\xC3\xA9 \xF0\xA0\xAE\xB7\"\r\n";

} // namespace

TEST_F(DocumentCode, AUtf8SetIsReadWrittenBackAndConvertedOnlyWhenEveryCharacterHasACode)
{
    // A UTF-8 set file (with its mark) naming UTF-8 item data and a
    // Shift_JIS table whose heading is converted on reading.
    dir.write("items.csv", kUtf8Items);
    dir.write("t.ctb", "[Column]\r\nCount=2\r\n[Title]\r\n2=" + SjisOf("語") + "\r\n");
    const std::string set = "\xEF\xBB\xBF[Lexicana]\r\ncsv=items.csv\r\nctb=t.ctb\r\n";
    const std::string setPath = dir.write("s.lxs", set);
    ASSERT_EQ(doc.ReadLxsFile(setPath), 0) << (sink.count() ? sink.last().text : "");
    EXPECT_EQ(DocumentTextCode(), TextCode::Utf8);
    EXPECT_EQ(doc.Grid().Cell(2, 1), "caf\xC3\xA9 \xF0\xA0\xAE\xB7");
    EXPECT_EQ(doc.Grid().Cell(2, 0), "語");

    // Saved in the code it was read in, with its mark.
    ASSERT_EQ(doc.WriteItemFile(global.ItemFileName, 1), FileOk);
    EXPECT_EQ(Read(global.ItemFileName), kUtf8Items);
    ASSERT_EQ(doc.WriteLxsFile(setPath), 0);
    EXPECT_EQ(Read(setPath).substr(0, 15), "\xEF\xBB\xBF[Lexicana]\r\n");

    // Save As Shift_JIS: 𠮷 has no code, so nothing is written and the
    // document stays UTF-8; the message names the character and the record.
    ui.path = dir.file("sjis.csv");
    ui.filter = 1;
    EXPECT_EQ(doc.SaveAsDlg(), ResultReported);
    EXPECT_EQ(ui.offered, kUtf8Filters + 1);
    EXPECT_FALSE(PathExists(ui.path));
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_NE(sink.last().text.find("\xF0\xA0\xAE\xB7"), std::string::npos);
    EXPECT_NE(sink.last().text.find(": 1"), std::string::npos);
    EXPECT_EQ(DocumentTextCode(), TextCode::Utf8);

    // Without it the document becomes Shift_JIS, written without a mark.
    doc.Grid().SetCell(2, 1, "Ω語");
    // A write that fails leaves the document in its code.
    const std::string chosen = ui.path;
    ui.path = dir.file("missing/folder.csv");
    EXPECT_EQ(doc.SaveAsDlg(), ResultReported);
    EXPECT_EQ(DocumentTextCode(), TextCode::Utf8);
    EXPECT_EQ(doc.Grid().Cell(2, 1), "Ω語");
    ui.path = chosen;
    EXPECT_EQ(doc.SaveAsDlg(), FileOk);
    EXPECT_EQ(DocumentTextCode(), TextCode::ShiftJis);
    EXPECT_EQ(global.ItemFileName, ui.path);
    EXPECT_EQ(Read(ui.path), "\"\",\"k\",\"" + SjisOf("語") + "\"\r\n\"1\",\"x\",\"" + SjisOf("Ω語") + "\"\r\n");
    EXPECT_EQ(doc.Grid().Cell(2, 0), SjisOf("語"));
}

TEST_F(DocumentCode, ATableCharacterWithoutACodeInTheDocumentIsAnErrorNamingLineAndFile)
{
    const std::string table = dir.write("t.ctb", "[Column]\r\nCount=2\r\n[Title]\r\n2=\xF0\x9F\x98\x80\r\n");
    EXPECT_EQ(doc.ReadTableFile(table), -2);
    ASSERT_EQ(sink.count(), 1u);
    for (const char* part : { "4", "\xF0\x9F\x98\x80", "Shift_JIS", "t.ctb" })
        EXPECT_NE(sink.last().text.find(part), std::string::npos) << part;
}

TEST_F(DocumentCode, PlainAsciiItemDataTakeTheCodeOfTheirSet)
{
    dir.write("items.csv", "\"\",\"k\"\r\n\"1\",\"plain\"\r\n");
    dir.write("t.ctb", "[Column]\r\nCount=1\r\n");
    const std::string sets[] = { dir.write("u.lxs", "\xEF\xBB\xBF[Lexicana]\r\ncsv=items.csv\r\nctb=t.ctb\r\n"),
        dir.write("p.lxs", "[Lexicana]\r\ncsv=items.csv\r\nctb=t.ctb\r\n") };
    ASSERT_EQ(doc.ReadLxsFile(sets[0]), 0);
    EXPECT_EQ(DocumentTextCode(), TextCode::Utf8);
    ASSERT_EQ(doc.ReadLxsFile(sets[1]), 0);
    EXPECT_EQ(DocumentTextCode(), TextCode::ShiftJis); // a plain set: the new-document option, off
    global.NewDocumentUtf8 = true;
    ASSERT_EQ(doc.ReadLxsFile(sets[1]), 0);
    EXPECT_EQ(DocumentTextCode(), TextCode::Utf8);
}
