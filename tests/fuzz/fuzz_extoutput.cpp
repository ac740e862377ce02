// External output files: parts are a file's content, the lines of the output
// list (names inside the scratch folder), and one more start marker, end
// marker and value. The block update of the listed files runs twice; with
// one kind of block in the file the second run changes nothing. Marked
// blocks without their markers in the text change nothing either.
#include "data/global.h"
#include "fuzzsupport.h"
#include "html/externaloutput.h"
#include "html/replaceexttag.h"

#include <string>

using namespace lexicana;
using namespace lexicana::fuzz;

namespace {

// A list line that names a file of the scratch folder (or nothing).
bool NamesFileInFolder(const std::string& name)
{
    return name.find_first_of("/\\:") == std::string::npos && name.find("..") == std::string::npos;
}

// How many of the six kinds of marked blocks have a marker in content.
int MarkerKinds(const TGlobal& g, const std::string& content)
{
    const std::string* pairs[][2] = { { &g.OuterRecordStart, &g.OuterRecordEnd },
        { &g.OuterFileRecordStart, &g.OuterFileRecordEnd }, { &g.OuterDateStart, &g.OuterDateEnd },
        { &g.OuterTimeStart, &g.OuterTimeEnd }, { &g.OuterVersionStart, &g.OuterVersionEnd },
        { &g.OuterLXVersionStart, &g.OuterLXVersionEnd } };
    int kinds = 0;
    for (const auto& pair : pairs)
        kinds += content.find(*pair[0]) != std::string::npos || content.find(*pair[1]) != std::string::npos;
    return kinds;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InstallSilentSink();
    const auto parts = SplitParts(Bytes(data, size), 5);
    const std::string& content = parts[0];

    RepExtString entry { parts[2], parts[3], parts[4] };
    std::string out;
    ReplaceMarkedBlocks(content, entry, out);
    if (entry.start.empty() || entry.end.empty() || content.find(entry.end) == std::string::npos)
        CheckEqual(content, out, "marked blocks of a text without markers");

    ScratchFolder::Clear();
    ScratchFolder::Write("out.html", content);
    TStringList list { "out.html" };
    for (const std::string& name : SplitAtLf(parts[1], 8))
        if (NamesFileInFolder(name))
            list.push_back(name);

    TGlobal global(false);
    global.HTMLDir = ScratchFolder::Path() + "/";
    global.NormalRecordCount = static_cast<int>(size % 1000);
    global.FileRecordCount = static_cast<int>(size % 7);
    global.VersionText = "1.0";
    UpdateExternalOutputFiles(global, list);
    const std::string once = ScratchFolder::Read("out.html");
    UpdateExternalOutputFiles(global, list);
    // Blocks of different kinds that overlap are cut by the first kind
    // applied, so a second update may find other blocks: the second update
    // is compared where one kind of block is present.
    if (MarkerKinds(global, content) <= 1)
        CheckEqual(once, ScratchFolder::Read("out.html"), "second update of external outputs");
    return 0;
}
