// Shared by the main window tests: a window with scripted file dialogs and
// message answers over fresh settings, a small conversion set on disk, keys
// delivered the way the keyboard delivers them, and modal dialogs answered
// from a timer.
#pragma once

#include "app/filedialogs.h"
#include "app/mainform.h"
#include "components/strsortgrid.h"
#include "platform/qsjis.h"
#include "platform/sjistext.h"
#include "support/recordingsink.h"
#include "support/testenv.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace lexicana::test {

// File dialogs answered from a queue: a path with its filter index, or
// nothing for Cancel (also when the queue is empty).
class ScriptedFileDialogs final : public IFileDialogs {
public:
    ScriptedFileDialogs& Choose(const std::string& path, int filterIndex = 1)
    {
        answers.emplace_back(std::make_pair(path, filterIndex));
        return *this;
    }
    ScriptedFileDialogs& Cancel()
    {
        answers.emplace_back(std::nullopt);
        return *this;
    }
    bool OpenItemFile(std::string& path, int& filterIndex) override
    {
        return Next("open item", path, filterIndex);
    }
    bool SaveItemFile(const std::string&, std::string& path, int& filterIndex) override
    {
        return Next("save item", path, filterIndex);
    }
    bool OpenSetFile(std::string& path) override
    {
        int index = 1;
        return Next("open set", path, index);
    }
    bool SaveSetFile(const std::string&, std::string& path) override
    {
        int index = 1;
        return Next("save set", path, index);
    }

    std::deque<std::optional<std::pair<std::string, int>>> answers;
    std::vector<std::string> asked; // which dialogs ran, in order

private:
    bool Next(const char* which, std::string& path, int& filterIndex)
    {
        asked.emplace_back(which);
        if (answers.empty())
            return false;
        auto answer = answers.front();
        answers.pop_front();
        if (!answer)
            return false;
        path = answer->first;
        filterIndex = answer->second;
        return true;
    }
};

// Columns: 1 sort key, 2 record code, 3 file name, 4 part ID, 5 word.
inline const std::string kWindowTable
    = "[Column]\r\nCount=5\r\nSort=1\r\nLinkedWord=5\r\n[Title]\r\n1=key\r\n"
      "2=code\r\n3=file\r\n4=part\r\n5=word\r\n"
      "[MainConversionTable]\r\n#start\r\n<i>{word}</i>\r\n\r\n#end\r\n";
inline const std::string kPageStart = "<!-- Start of \"Lexicana\" Part -->";
inline const std::string kPageEnd = "<!-- End of \"Lexicana\" Part -->";

// Removes the stored settings so that every test starts from the defaults.
inline void ClearStoredSettings()
{
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Orvane", "Lexicana").clear();
}

// A folder with a conversion table, item data and a set file naming both.
class WindowSet {
public:
    // rows: the records, each "key,code,file,part,word" as cells 1..5.
    explicit WindowSet(
        const std::vector<std::vector<std::string>>& rows = {}, const std::string& name = "set")
    {
        table = dir.write(name + ".ctb", kWindowTable);
        std::string csv = "\"\",\"key\",\"code\",\"file\",\"part\",\"word\"\r\n";
        int number = 1;
        for (const auto& row : rows) {
            csv += "\"" + std::to_string(number++) + "\"";
            for (std::size_t col = 0; col < 5; ++col) {
                std::string field;
                for (char c : col < row.size() ? row[col] : std::string())
                    field += c == '\\' ? std::string("\\\\") : std::string(1, c);
                csv += ",\"" + field + "\"";
            }
            csv += "\r\n";
        }
        items = dir.write(name + ".csv", csv);
        set = dir.write(name + ".lxs", "[Lexicana]\r\ncsv=" + name + ".csv\r\nctb=" + name + ".ctb\r\n");
    }
    std::string Page(const std::string& name)
    {
        return dir.write(name, "head" + kPageStart + "old" + kPageEnd + "tail");
    }
    std::string Read(const std::string& name) const { return TempDir::read(dir.file(name)); }

    TempDir dir;
    std::string table;
    std::string items;
    std::string set;
};

// A main window over fresh settings whose questions and file dialogs are
// answered by the test.
class WindowTest {
public:
    explicit WindowTest(const QStringList& arguments = {}, bool clearSettings = true)
    {
        if (clearSettings)
            ClearStoredSettings();
        form = std::make_unique<TMainForm>(arguments);
        form->SetFileDialogs(&dialogs);
        form->show();
        QApplication::setActiveWindow(form.get());
        grid()->setFocus();
        QApplication::processEvents();
    }
    ~WindowTest()
    {
        if (form)
            form->SetFileDialogs(nullptr);
    }

    TStrSortGrid* grid() const { return form->StringGrid_Main; }
    // A command of the window (menu item or tool button) by its object name.
    QAction* action(const char* name) const
    {
        if (auto* found = form->findChild<QAction*>(QString::fromLatin1(name)))
            return found;
        throw std::runtime_error(std::string("no command named ") + name);
    }
    TGlobal& global() const { return form->Global(); }
    TRecordTable& table() const { return form->Table(); }
    std::string cell(int col, int row) const { return table().Cell(col, row); }
    QString caption() const { return form->windowTitle(); }
    // The texts of the boxes shown so far.
    std::vector<std::string> texts() const
    {
        std::vector<std::string> all;
        for (const auto& box : sink.boxes)
            all.push_back(box.text);
        return all;
    }
    // A table of records without a set file: cells 1.. of each row.
    void Records(const std::vector<std::vector<std::string>>& rows, int cols = 5)
    {
        TRecordTable& t = table();
        t.SetColCount(cols + 1);
        t.SetRowCount(1);
        for (int c = 1; c <= cols; ++c)
            t.SetCell(c, 0, "h" + std::to_string(c));
        for (const auto& row : rows) {
            std::vector<std::string> cells { "" };
            cells.insert(cells.end(), row.begin(), row.end());
            t.AppendRow(cells);
        }
        t.NumberRows();
        // As if loaded: nothing to undo, nothing to save.
        form->Document().ResetHistory(true);
        form->UpdateCaption();
        form->SelectCell(1, 1);
    }

    RecordingSink sink;
    ScriptedFileDialogs dialogs;
    std::unique_ptr<TMainForm> form;
};

// A key pressed on widget as the keyboard delivers it: Qt first offers it
// as a shortcut, then as a key press.
inline void PressKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
    const QString& text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(widget, &release);
}

// Runs answer with the modal dialog that the next command opens (from a
// timer that fires inside the dialog's own event loop).
inline void AnswerNextModal(std::function<void(QWidget*)> answer)
{
    QTimer::singleShot(0, [answer] {
        if (QWidget* modal = QApplication::activeModalWidget())
            answer(modal);
    });
}

inline std::string Sjis(const char* utf8)
{
    return SjisOf(utf8);
}

} // namespace lexicana::test
