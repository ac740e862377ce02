// Set file reading: parts are the set file, its item data and its table,
// written as set.lxs, a.csv / a.txt and a.ctb in a scratch folder. A set that
// opens is written and opened again to the same file names. Inputs naming a
// path outside the folder are skipped, so nothing else is read.
#include "document/document.h"
#include "fuzzsupport.h"

#include <string>

using namespace lexicana;
using namespace lexicana::fuzz;

namespace {

bool StaysInFolder(const std::string& text)
{
    if (text.find("..") != std::string::npos || text.find(':') != std::string::npos)
        return false;
    for (std::size_t at = text.find('='); at != std::string::npos; at = text.find('=', at + 1))
        if (at + 1 < text.size() && (text[at + 1] == '/' || text[at + 1] == '\\'))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InstallSilentSink();
    const auto parts = SplitParts(Bytes(data, size), 3);
    if (!StaysInFolder(parts[0]))
        return 0;
    ScratchFolder::Clear();
    const std::string set = ScratchFolder::Write("set.lxs", parts[0]);
    ScratchFolder::Write("a.csv", parts[1]);
    ScratchFolder::Write("a.txt", parts[1]);
    ScratchFolder::Write("a.ctb", parts[2]);

    TGlobal global(false);
    TDocument doc(global);
    if (doc.ReadLxsFile(set) != 0)
        return 0;
    const TGlobal first = global;
    const std::string copy = ScratchFolder::Path() + "/copy.lxs";
    Check(doc.WriteLxsFile(copy) == 0, "writing an opened set file");
    TGlobal global2(false);
    TDocument doc2(global2);
    Check(doc2.ReadLxsFile(copy) == 0, "opening a written set file");
    CheckEqual(first.ItemFileName, global2.ItemFileName, "csv of a written set file");
    CheckEqual(first.TableFileName, global2.TableFileName, "ctb of a written set file");
    CheckEqual(first.RepFileName, global2.RepFileName, "rep of a written set file");
    CheckEqual(first.HTMLDir, global2.HTMLDir, "HTMLdir of a written set file");
    CheckEqual(first.InfoOutputList, global2.InfoOutputList, "InfoOutputList of a written set file");
    return 0;
}
