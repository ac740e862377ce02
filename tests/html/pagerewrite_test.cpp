#include "common/messages.h"
#include "common/textcode.h"
#include "html/pagecode.h"
#include "jconvert/jconvert.h"
#include "platform/sjistext.h"
#include "support/conversionset.h"
#include "support/unprivileged.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

using namespace lexicana;
using namespace lexicana::test;
namespace fs = std::filesystem;

namespace {

fs::perms PermsOf(const std::string& path)
{
    return fs::status(path).permissions() & fs::perms::mask;
}

// The document's code for the scope of a test.
class DocumentCodeScope {
public:
    explicit DocumentCodeScope(TextCode code) { SetDocumentTextCode(code); }
    ~DocumentCodeScope() { SetDocumentTextCode(TextCode::ShiftJis); }
};

// The error box shown before the interruption message.
const MessageRequest& ErrorBox(const RecordingSink& sink)
{
    return sink.boxes.at(sink.count() - 2);
}

} // namespace

TEST(PageRewriteTest, PartGoesBetweenMarkersInThePagesOwnCodeAndLineEnds)
{
    ConversionSet s;
    const std::string sjisHead = "<p>" + SjisOf("日本語") + "</p>\r\n";
    const std::string eucHead = sjis2euc(SjisOf("本日")); // ends in 0xFC right before the marker
    const std::string jisHead = sjis2jis83(SjisOf("日本語です") + "\n");
    s.File("a", "sjis.html");
    s.Record("a1", "A");
    s.Record("a2", SjisOf("用語"));
    s.File("b", "euc.html");
    s.Record("b1", SjisOf("用語"));
    s.File("c", "jis.html");
    s.Record("c1", SjisOf("用語"));
    s.File("d", "plain.html");
    s.Record("d1", "D");
    s.File("e", "link.html"); // a symbolic link stays one
    s.Record("e1", "E");
    s.Page("sjis.html", sjisHead, "\r\n</body>" + SjisOf("終"), "\r\nold " + SjisOf("古い") + "\r\n");
    s.Page("euc.html", eucHead, "\n" + sjis2euc(SjisOf("終わり")) + "\n");
    s.Page("jis.html", jisHead, "\n");
    s.Page("plain.html", "x", "y");
    fs::permissions(s.dir.file("sjis.html"), fs::perms(0640));
    s.Page("target.html");
    fs::create_symlink("target.html", s.dir.file("link.html"));
    ASSERT_EQ(InCodeCheck(s.Read("euc.html")), JCodeEuc);

    EXPECT_EQ(s.doc.StartConversion(), 201);

    EXPECT_EQ(s.Read("sjis.html"),
        sjisHead + kStart + "<i>A</i>\r\n<i>" + SjisOf("用語") + "</i>\r\n" + kEnd + "\r\n</body>"
            + SjisOf("終"));
    EXPECT_EQ(s.Read("euc.html"),
        eucHead + kStart + "<i>" + sjis2euc(SjisOf("用語")) + "</i>\n" + kEnd + "\n"
            + sjis2euc(SjisOf("終わり")) + "\n");
    EXPECT_EQ(
        s.Read("jis.html"), jisHead + kStart + sjis2jis83("<i>" + SjisOf("用語") + "</i>\n") + kEnd + "\n");
    // No Japanese and no line end in the page: unconverted, line ends removed.
    EXPECT_EQ(s.Read("plain.html"), "x" + kStart + "<i>D</i>" + kEnd + "y");
    EXPECT_EQ(PermsOf(s.dir.file("sjis.html")), fs::perms(0640));
    EXPECT_TRUE(fs::is_symlink(s.dir.file("link.html")));
    EXPECT_EQ(s.Read("target.html"), "head" + kStart + "<i>E</i>" + kEnd + "tail");
    EXPECT_EQ(s.LeftoverTempFiles(), 0);
    // Four pages are read and made before the first is written and renamed:
    // their temporary files are flushed together.
    EXPECT_EQ(
        s.progress.steps, (std::vector<int> { 0, 1, 0, 1, 0, 1, 0, 1, 2, 3, 0, 1, 2, 3, 2, 3, 2, 3, 2, 3 }));
}

TEST(PageRewriteTest, MissingMarkersStopTheRunAndLeaveThePageAlone)
{
    ConversionSet s;
    s.File("a", "p.html");
    s.Record("a1", "A");
    struct Case {
        std::string page;
        int code;
        const char* message;
    };
    const std::string path = s.dir.file("p.html");
    const Case cases[] = {
        { "head" + kEnd, 300, "\")に\nLexicanaパートの開始タグが見つかりません" },
        { kStart + "old", 301, "\")に\nLexicanaパートの終了タグが見つかりません" },
        { std::string("a\0b", 3) + kStart + kEnd, 300, "\")に\nLexicanaパートの開始タグが見つかりません" },
    };
    for (const Case& c : cases) {
        s.dir.write("p.html", c.page);
        s.sink.clear();
        EXPECT_EQ(s.doc.StartConversion(), c.code);
        EXPECT_EQ(s.Read("p.html"), c.page);
        EXPECT_EQ(ErrorBox(s.sink).text, "HTMLファイル(\"" + path + c.message);
        EXPECT_EQ(s.sink.last().caption, "中断");
    }
    fs::remove(path);
    EXPECT_EQ(s.doc.StartConversion(), 106);
    EXPECT_EQ(ErrorBox(s.sink).text,
        "HTMLファイル(\"" + path + "\")が読み出せません。\nファイル名が違っていないかを確認してください。");
}

TEST(PageRewriteTest, InconsistentPageAsksToRetryAndNoSkipsIt)
{
    ConversionSet s;
    s.File("a", "swapped.html");
    s.Record("a1", "A");
    s.File("b", "ok.html");
    s.Record("b1", "B");
    s.File("c", "marker.html");
    s.Record("c1", kEnd); // the part itself holds the end marker
    const std::string swapped = "h" + kEnd + "mid" + kStart + "t";
    s.dir.write("swapped.html", swapped);
    s.Page("ok.html");
    s.Page("marker.html");
    s.sink.Answer(IdYes).Answer(IdNo).Answer(IdNo);

    EXPECT_EQ(s.doc.StartConversion(), 201);

    ASSERT_EQ(s.sink.count(), 4u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(s.sink.boxes[i].caption, "再実行の確認");
        EXPECT_EQ(s.sink.boxes[i].flags, 4);
    }
    EXPECT_EQ(s.sink.boxes[0].text,
        "HTMLファイルの作成中にLexicanaタグのずれが検出されました。\n"
        "このパートの書き出しを再実行しますか？\n"
        "（「いいえ」を選択した場合このパートをスキップします。）");
    EXPECT_EQ(s.Read("swapped.html"), swapped);
    EXPECT_EQ(s.Read("marker.html"), "head" + kStart + "old" + kEnd + "tail");
    EXPECT_EQ(s.Read("ok.html"), "head" + kStart + "<i>B</i>" + kEnd + "tail");
    EXPECT_EQ(s.LeftoverTempFiles(), 0);
}

TEST(PageRewriteTest, IdMarkersLetOnePageCarrySeveralParts)
{
    ConversionSet s;
    s.dir.write("set.ctb", kTable + "[Tag]\r\nStart=<!--S {ID}-->\r\nEnd=<!--E {ID}-->\r\n");
    s.File("a", "p.html", "one");
    s.Record("a1", "A");
    s.File("b", "p.html", "two");
    s.Record("b1", "B");
    s.dir.write("p.html", "<!--S two-->x<!--E two-->|<!--S one-->y<!--E one-->");

    EXPECT_EQ(s.doc.StartConversion(), 201);
    EXPECT_EQ(s.Read("p.html"), "<!--S two--><i>B</i><!--E two-->|<!--S one--><i>A</i><!--E one-->");
}

TEST(PageRewriteTest, ReadOnlyPageGives108AndStaysUntouched)
{
    ConversionSet s;
    s.File("a", "p.html");
    s.Record("a1", "A");
    const std::string path = s.Page("p.html");
    const std::string before = s.Read("p.html");
    fs::permissions(path, fs::perms(0444));

    EXPECT_EQ(s.doc.StartConversion(), 108);
    EXPECT_EQ(s.Read("p.html"), before);
    EXPECT_EQ(PermsOf(path), fs::perms(0444));
    EXPECT_EQ(ErrorBox(s.sink).text, "予期しないエラーです");
    EXPECT_EQ(s.LeftoverTempFiles(), 0);
}

TEST(PageRewriteTest, PageInAFolderThatTakesNoNewFileIsCheckedAndWrittenInPlace)
{
    ConversionSet s;
    s.File("a", "p.html");
    s.Record("a1", "A");
    s.File("b", "swapped.html");
    s.Record("b1", "B");
    const std::string path = s.Page("p.html");
    const std::string swapped = "h" + kEnd + "mid" + kStart + "t";
    s.dir.write("swapped.html", swapped);
    fs::permissions(path, fs::perms(0666));
    fs::permissions(s.dir.file("swapped.html"), fs::perms(0666));
    fs::permissions(s.dir.path(), fs::perms(0555));
    s.sink.Answer(IdNo);

    EXPECT_TRUE(RunWithoutRootRights([&] { return s.doc.StartConversion() == 201; }));

    fs::permissions(s.dir.path(), fs::perms(0700));
    EXPECT_EQ(s.Read("p.html"), "head" + kStart + "<i>A</i>" + kEnd + "tail");
    EXPECT_EQ(PermsOf(path), fs::perms(0666));
    // The check still runs before the page is touched.
    EXPECT_EQ(s.Read("swapped.html"), swapped);
    EXPECT_EQ(s.LeftoverTempFiles(), 0);
}

TEST(PageRewriteTest, JisPartEndingInJapaneseStillFindsTheEndMarker)
{
    // The JIS writer closes no double-byte run at the end of the part, so
    // the end marker follows Japanese text directly.
    ConversionSet s;
    s.global.TableFileName = s.dir.write("jis.ctb",
        "[Column]\r\nCount=5\r\nSort=1\r\nLinkedWord=5\r\n[Title]\r\n5=w\r\n"
        "[MainConversionTable]\r\n#start\r\n<i>{w}\r\n#end\r\n");
    s.File("c", "jis.html");
    s.Record("c1", SjisOf("用語"));
    const std::string head = sjis2jis83(SjisOf("日本語") + "\n");
    s.Page("jis.html", head, "\n");
    test::RecordingSink sink;
    EXPECT_EQ(s.doc.StartConversion(), 201);
    EXPECT_EQ(s.Read("jis.html"), head + kStart + sjis2jis83("<i>" + SjisOf("用語")) + kEnd + "\n");
    for (const auto& box : sink.boxes)
        EXPECT_NE(box.caption, "再実行の確認");
}

TEST(PageRewriteTest, Utf8PartEndingInJapaneseStillFindsTheEndMarker)
{
    // "語" ends in 0x9E, a Shift_JIS lead byte: the page, ASCII before, is
    // checked with UTF-8 boundaries once the part is UTF-8.
    DocumentCodeScope code(TextCode::Utf8);
    ConversionSet s;
    s.global.TableFileName = s.dir.write("u.ctb",
        "[Column]\r\nCount=5\r\nSort=1\r\nLinkedWord=5\r\n[Title]\r\n5=w\r\n"
        "[MainConversionTable]\r\n#start\r\n<i>{w}\r\n#end\r\n");
    s.File("c", "plain.html");
    s.Record("c1", "用語");
    s.Page("plain.html", "head", "\n");
    s.sink.Answer(IdNo); // a retry question would skip the part
    EXPECT_EQ(s.doc.StartConversion(), 201);
    EXPECT_EQ(s.Read("plain.html"), "head" + kStart + "<i>用語" + kEnd + "\n");
    EXPECT_EQ(s.sink.count(), 1u);
}

TEST(PageRewriteTest, PartAndMarkersAreInThePagesCodeWhateverTheDocumentsCode)
{
    enum Page { Sjis, Euc, Jis, Utf8, Utf8Bom };
    struct Case {
        TextCode document;
        Page page;
        int detected;
        bool japaneseMarkers; // a Shift_JIS document's markers are not converted for EUC-JP or JIS
        long long references;
    };
    const Case cases[] = {
        { TextCode::ShiftJis, Sjis, JCodeSjis, true, 0 },
        { TextCode::ShiftJis, Euc, JCodeEuc, false, 0 },
        { TextCode::ShiftJis, Jis, JCodeJis83, false, 0 },
        { TextCode::ShiftJis, Utf8, JCodeUtf8, true, 0 },
        { TextCode::ShiftJis, Utf8Bom, JCodeUtf8, true, 0 },
        { TextCode::Utf8, Sjis, JCodeSjis, true, 2 },
        { TextCode::Utf8, Euc, JCodeEuc, true, 2 },
        { TextCode::Utf8, Jis, JCodeJis83, true, 2 },
        { TextCode::Utf8, Utf8, JCodeUtf8, true, 0 },
        { TextCode::Utf8, Utf8Bom, JCodeUtf8, true, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "document " << static_cast<int>(c.document) << " page " << c.page);
        DocumentCodeScope code(c.document);
        const auto inDocument
            = [&](const std::string& utf8) { return c.document == TextCode::Utf8 ? utf8 : SjisOf(utf8); };
        const auto inPage = [&](const std::string& utf8) {
            switch (c.page) {
            case Sjis:
                return SjisOf(utf8);
            case Euc:
                return sjis2euc(SjisOf(utf8));
            case Jis:
                return sjis2jis83(SjisOf(utf8));
            default:
                return utf8;
            }
        };
        ConversionSet s;
        std::string start = kStart, end = kEnd;
        if (c.japaneseMarkers) {
            start = "<!--開始-->";
            end = "<!--終了-->";
            s.global.TableFileName = s.dir.write(
                "set.ctb", inDocument(kTable + "[Tag]\r\nStart=" + start + "\r\nEnd=" + end + "\r\n"));
        }
        // "𠮷" and "é" have no Shift_JIS code.
        const std::string word = c.document == TextCode::Utf8 ? "用語𠮷é" : "用語";
        s.File("a", "p.html");
        s.Record("a1", inDocument(word));
        const auto page = [&](const std::string& part) {
            return std::string(c.page == Utf8Bom ? kUtf8Bom : "") + inPage("<p>日本語です</p>\n" + start)
                + part + inPage(end + "\n<p>終わり</p>\n");
        };
        s.dir.write("p.html", page(inPage("old")));
        ASSERT_EQ(PageCodeOf(s.Read("p.html")), c.detected);

        EXPECT_EQ(s.doc.StartConversion(), 201);

        const std::string written = c.references ? "用語&#x20BB7;&#xE9;" : word;
        EXPECT_EQ(s.Read("p.html"), page(inPage("<i>" + written + "</i>\n")));
        EXPECT_EQ(s.sink.last().text,
            "HTMLファイルの書き換えが正常に終了しました。"
                + (c.references ? "\n「p.html」: 2 文字を数値文字参照で書き込みました。" : std::string()));
    }
}
