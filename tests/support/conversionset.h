// A small conversion set for tests of conversion runs: a conversion table in
// a temporary folder, records put straight into the document's grid, target
// pages, and a progress display that records its calls and can clear
// Converting at a chosen moment.
#pragma once

#include "document/document.h"
#include "support/recordingsink.h"
#include "support/testenv.h"

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace lexicana::test {

inline const std::string kStart = "<!-- Start of \"Lexicana\" Part -->";
inline const std::string kEnd = "<!-- End of \"Lexicana\" Part -->";

// Columns: 1 sort key, 2 record code, 3 file name, 4 part ID, 5 word ("w").
// An item is "<i>" + word + "</i>" and a line end.
inline const std::string kTable = "[Column]\r\nCount=5\r\nSort=1\r\nLinkedWord=5\r\n[Title]\r\n5=w\r\n"
                                  "[MainConversionTable]\r\n#start\r\n<i>{w}</i>\r\n\r\n#end\r\n";

class RecordingProgress : public IConversionProgress {
public:
    explicit RecordingProgress(TGlobal& global)
        : global_(global)
    {
    }
    void Open(int minRow, int maxRow) override
    {
        opened.push_back({ minRow, maxRow });
        if (onOpen)
            onOpen();
    }
    void SelectStep(int step) override
    {
        steps.push_back(step);
        if (step == cancelAtStep)
            global_.Converting = false;
    }
    void ProcessEvents() override
    {
        if (++events == cancelAtEvent)
            global_.Converting = false;
    }
    void Close() override { ++closed; }

    std::vector<std::pair<int, int>> opened;
    std::vector<int> steps;
    int events = 0;
    int closed = 0;
    int cancelAtEvent = -1; // clears Converting at this ProcessEvents call (1-based)
    int cancelAtStep = -1; // clears Converting when this step is selected
    std::function<void()> onOpen;

private:
    TGlobal& global_;
};

class ConversionSet {
public:
    ConversionSet()
        : global(false)
        , doc(global)
        , progress(global)
    {
        doc.SetProgress(&progress);
        global.TableFileName = dir.write("set.ctb", kTable);
        global.HTMLDir = dir.path();
        doc.Grid().SetColCount(6);
        doc.Grid().SetRowCount(1);
    }

    // A file record naming page and part, sorted by key.
    void File(const std::string& key, const std::string& page, const std::string& part = "")
    {
        doc.Grid().AppendRow({ "", key, "\\@", page, part, "" });
    }
    // A normal record with its word.
    void Record(const std::string& key, const std::string& word)
    {
        doc.Grid().AppendRow({ "", key, "", "", "", word });
    }
    // A page with the default markers around old text.
    std::string Page(const std::string& name, const std::string& before = "head",
        const std::string& after = "tail", const std::string& old = "old")
    {
        return dir.write(name, before + kStart + old + kEnd + after);
    }
    std::string Read(const std::string& name) const { return TempDir::read(dir.file(name)); }
    // Temporary page files left in the folder.
    int LeftoverTempFiles() const
    {
        int count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            count += entry.path().filename().string().find(".lexicana-") != std::string::npos;
        return count;
    }

    TempDir dir;
    RecordingSink sink;
    TGlobal global;
    TDocument doc;
    RecordingProgress progress;
};

} // namespace lexicana::test
