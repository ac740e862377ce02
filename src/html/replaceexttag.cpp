#include "html/replaceexttag.h"

#include "common/fileio.h"
#include "common/pathutils.h"
#include "common/textcode.h"
#include "html/pagecode.h"
#include "jconvert/jconvert.h"
#include "platform/filesystem.h"

#include <utility>

namespace lexicana {

void ReplaceMarkedBlocks(std::string_view content, const RepExtString& entry, std::string& out)
{
    out.clear();
    const std::string_view start = entry.start;
    const std::string_view end = entry.end;
    if (start.empty() || end.empty()) {
        // An empty marker would match everywhere (and an empty end marker
        // never advances): such an entry leaves the text as it is.
        out.assign(content);
        return;
    }
    out.reserve(content.size() + entry.value.size());
    std::size_t pos = 0; // everything before pos has been moved to out
    while (true) {
        const std::size_t e = content.find(end, pos);
        if (e == std::string_view::npos)
            break;
        // The nearest start marker that lies wholly before the end marker,
        // searched only in the text not yet moved, so the scan stays linear.
        const std::string_view before = content.substr(pos, e - pos);
        const std::size_t s = before.rfind(start);
        if (s == std::string_view::npos) {
            out.append(content.substr(pos, e + end.size() - pos));
        } else {
            out.append(before.substr(0, s + start.size()));
            out.append(entry.value);
            out.append(end);
        }
        pos = e + end.size();
    }
    out.append(content.substr(pos));
}

ReplaceExtTag::ReplaceExtTag(std::string baseDir)
    : baseDir_(std::move(baseDir))
{
}

int ReplaceExtTag::AddTag(const std::string& start, const std::string& end, const std::string& value)
{
    entries_.push_back(RepExtString { start, end, value });
    return static_cast<int>(entries_.size());
}

std::string ReplaceExtTag::ResolveName(const std::string& name) const
{
    return ResolveRelativePath(IncludeTrailingSeparator(baseDir_), name);
}

std::string ReplaceExtTag::ApplyToText(std::string content) const
{
    // Markers and values are in the document's code. A page in another code
    // gets them in its own, as a part would; a Shift_JIS document's go into
    // any page but a UTF-8 one as they are.
    const int code = PageCodeOf(content);
    const bool convert = DocumentTextCode() == TextCode::Utf8 || code == JCodeUtf8;
    std::string out;
    for (const RepExtString& entry : entries_) {
        if (convert) {
            long long references = 0;
            const RepExtString inPageCode { MarkerInPageCode(entry.start, code),
                MarkerInPageCode(entry.end, code), PartInPageCode(entry.value, code, references) };
            ReplaceMarkedBlocks(content, inPageCode, out);
        } else {
            ReplaceMarkedBlocks(content, entry, out);
        }
        content.swap(out);
    }
    return content;
}

int ReplaceExtTag::ApplyToFile(const std::string& name, const TRunTarget& target,
    const std::unordered_map<std::string, std::string>* staged) const
{
    const std::string path = ResolveName(name);
    std::string content;
    const auto stagedContent = staged ? staged->find(path) : decltype(staged->end()) {};
    if (staged && stagedContent != staged->end())
        content = stagedContent->second;
    else if (ReadFileToString(path, content) != FileOk)
        return ExtTagCannotRead;
    const std::string updated = ApplyToText(content);
    if (updated == content || target.mode == TRunTarget::Mode::CheckOnly)
        return ExtTagOk;
    if (target.WritesInPlace()) {
        // Written through a temporary file and a rename: the file is either
        // its old or its new self, never half-written.
        return SaveFileAtomically(path, updated) ? ExtTagOk : ExtTagCannotWrite;
    }
    const std::string out = target.FolderPathOf(baseDir_, path);
    if (out.empty())
        return ExtTagOutsideFolder;
    return MakeFolders(ExtractFileDir(out)) && SaveFileAtomically(out, updated) ? ExtTagOk
                                                                                : ExtTagCannotWrite;
}

} // namespace lexicana
