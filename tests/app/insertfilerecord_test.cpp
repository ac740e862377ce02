// The insert-file-record dialog driven through its list, row box, arrow
// buttons and insert button over a table of 10 records.
#include "app/insertfilerecord.h"
#include "data/global.h"
#include "data/recordtable.h"
#include "platform/filelist.h"
#include "support/recordingsink.h"
#include "support/testenv.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>

namespace lexicana::test {
namespace {

struct InsertDialog {
    RecordingSink sink;
    TempDir dir;
    TGlobal global { false };
    TRecordTable grid { 5, 11 };
    int captions = 0;
    std::unique_ptr<TDlg_InsertFileRecord> dialog;

    InsertDialog()
    {
        QDir().mkpath(QString::fromStdString(dir.file("html/sub.html")));
        dir.write("html/b.html", std::string(1025, 'b'));
        dir.write("html/C.HTML", std::string(1024, 'c'));
        dir.write("html/a.html", "");
        dir.write("html/note.txt", "n");
        global.HTMLDir = dir.path() + "/html";
        global.FileRecordDialogFilter = "*.html";
        for (int row = 1; row < grid.RowCount(); ++row)
            grid.SetCell(1, row, "w" + std::to_string(row));
        grid.NumberRows();
    }
    void open(int proposedRow = 3)
    {
        dialog = std::make_unique<TDlg_InsertFileRecord>(
            nullptr, grid, global, proposedRow, 1, grid.RowCount(), [this] { ++captions; });
        dialog->show();
    }
    QStringList column(int col) const
    {
        QStringList texts;
        for (int i = 0; i < dialog->ListView_FileList->topLevelItemCount(); ++i)
            texts << dialog->ListView_FileList->topLevelItem(i)->text(col);
        return texts;
    }
    QLineEdit* row() const { return dialog->Edit_InsertRecord; }
    void type(const QString& text, int key)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(row(), &press);
    }
    void insert(const QString& rowText, const QString& name, const QString& pid)
    {
        row()->setText(rowText);
        dialog->Edit_FileName->setText(name);
        dialog->Edit_PID->setText(pid);
        dialog->Button_Insert->click();
    }
};

TEST(InsertFileRecord, ListsTheMatchingFilesWithSizesInKilobytesAndLocalTimes)
{
    InsertDialog s;
    QFile file(QString::fromStdString(s.dir.file("html/b.html")));
    const QDateTime written(QDate(2024, 3, 5), QTime(14, 7, 9), Qt::UTC);
    ASSERT_TRUE(
        file.open(QIODevice::ReadWrite) && file.setFileTime(written, QFileDevice::FileModificationTime));
    file.close();
    const QString workingFolder = QDir::currentPath();

    s.open();
    EXPECT_EQ(s.dialog->windowTitle(), "ファイルレコードの追加");
    EXPECT_EQ(s.dialog->Edit_Extender->text(), "*.html");
    EXPECT_EQ(s.column(0), QStringList({ "a.html", "b.html", "C.HTML" }));
    EXPECT_EQ(s.column(1), QStringList({ "0KB", "2KB", "1KB" }));
    EXPECT_EQ(s.column(2)[1].toStdString(), LocalFileTimeText(written.toSecsSinceEpoch()));
    EXPECT_EQ(s.dialog->ListView_FileList->headerItem()->text(2), "更新日時");
    EXPECT_EQ(QDir::currentPath(), workingFolder); // the folder was read where it is

    // An empty filter lists every file, folders left out.
    s.dialog->Edit_Extender->clear();
    s.dialog->Button_Update->click();
    EXPECT_EQ(s.column(0), QStringList({ "a.html", "b.html", "C.HTML", "note.txt" }));
    EXPECT_EQ(s.sink.count(), 0u);

    // A base folder that cannot be opened: the message, the list as it was.
    s.global.HTMLDir = s.dir.path() + "/gone";
    s.dialog->Button_Update->click();
    ASSERT_EQ(s.sink.count(), 1u);
    EXPECT_EQ(s.sink.last().caption, "ディレクトリ設定エラー");
    EXPECT_EQ(s.sink.last().flags, MbOk | MbIconStop);
    EXPECT_EQ(s.column(0).size(), 4);
}

TEST(InsertFileRecord, RowBoxTakesDigitsOnlyAndArrowsStayWithinTheRows)
{
    InsertDialog s;
    s.open(3);
    EXPECT_EQ(s.row()->text(), "3");
    s.row()->setCursorPosition(1);
    s.type("a", Qt::Key_A);
    s.type("-", Qt::Key_Minus);
    s.type("1", Qt::Key_1);
    EXPECT_EQ(s.row()->text(), "31");
    s.type("\b", Qt::Key_Backspace);
    EXPECT_EQ(s.row()->text(), "3");

    // ▲ moves the place up (row - 1), ▼ down; both stop at 1 and 11.
    for (auto [text, down, expected] : { std::tuple { "3", false, "2" }, { "1", false, "1" },
             { "10", true, "11" }, { "11", true, "11" }, { "", true, "1" }, { "-4", true, "1" } }) {
        s.row()->setText(text);
        (down ? s.dialog->SpeedButton_Down : s.dialog->SpeedButton_Up)->click();
        EXPECT_EQ(s.row()->text(), expected) << text;
    }

    // A pasted text of another form: the last one comes back, within the rows.
    s.row()->setText("40");
    s.row()->insert("x");
    EXPECT_EQ(s.row()->text(), "11");
    EXPECT_EQ(s.sink.count(), 0u);
}

TEST(InsertFileRecord, InsertsFileRecordsAndStaysOpen)
{
    InsertDialog s;
    s.open();
    // Selecting a file takes its name.
    s.dialog->ListView_FileList->topLevelItem(1)->setSelected(true);
    EXPECT_EQ(s.dialog->Edit_FileName->text(), "b.html");

    s.insert("11", "b.html", "p1"); // after the last record
    ASSERT_EQ(s.grid.RowCount(), 12);
    EXPECT_EQ(s.grid.Row(11), std::vector<std::string>({ "11", "", "\\@", "b.html", "p1" }));
    EXPECT_EQ(s.grid.Cell(1, 10), "w10");
    EXPECT_TRUE(s.global.ItemDataModified);
    EXPECT_EQ(s.captions, 1);
    EXPECT_TRUE(s.dialog->isVisible());

    s.insert("2", "a.html", "p2");
    s.dialog->Edit_PID->setText("p3");
    s.dialog->Button_Insert->click(); // the same row again: above the one just inserted
    ASSERT_EQ(s.grid.RowCount(), 14);
    EXPECT_EQ(s.grid.Cell(1, 1), "w1");
    EXPECT_EQ(s.grid.Row(2), std::vector<std::string>({ "2", "", "\\@", "a.html", "p3" }));
    EXPECT_EQ(s.grid.Cell(4, 3), "p2");
    EXPECT_EQ(s.grid.Cell(1, 4), "w2");
    for (int row = 1; row < s.grid.RowCount(); ++row)
        EXPECT_EQ(s.grid.Cell(0, row), std::to_string(row));
    EXPECT_EQ(s.row()->text(), "2"); // not advanced
    EXPECT_EQ(s.captions, 3);
    EXPECT_EQ(s.sink.count(), 0u);

    // A row box without an integer, or a part ID without a Shift_JIS code:
    // a message and no record.
    s.insert("1.5", "c.html", "p3");
    s.insert("4", "c.html", QString::fromUtf8("\xED\x95\x9C"));
    EXPECT_EQ(s.sink.count(), 2u);
    EXPECT_EQ(s.grid.RowCount(), 14);

    s.dialog->Button_Close->click();
    EXPECT_FALSE(s.dialog->isVisible());
}

} // namespace
} // namespace lexicana::test
