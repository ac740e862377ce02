// External output files: parts are a file's content, the lines of the output
// list (names inside the scratch folder), and one more start marker, end
// marker and value. The block update of the listed files runs twice; the
// second run changes nothing. Marked blocks without their markers in the
// text change nothing either.
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
    CheckEqual(once, ScratchFolder::Read("out.html"), "second update of external outputs");
    return 0;
}
