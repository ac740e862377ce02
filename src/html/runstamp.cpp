#include "html/runstamp.h"

#include "common/fileio.h"
#include "common/hash64.h"
#include "common/version.h"
#include "conversion/runoutcome.h"
#include "data/global.h"
#include "data/settingstable.h"
#include "html/replaceexttag.h"
#include "platform/localtime.h"
#include "platform/runcache.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace lexicana {

namespace {

constexpr std::string_view kHeader = "lexicana-run-stamp 1";
// A file written this close to the moment it was looked at may change again
// within the same tick of a coarse file-system clock, so its time does not
// prove it unchanged.
constexpr long long kRacyNs = 2'000'000'000LL;
// The time of day that the head and foot templates may put into a page.
constexpr std::string_view kTimePlaceholder = "{\\t}";

struct StampInput {
    std::string path;
    std::uint64_t size = 0;
    std::uint64_t hash = 0;
};

struct StampFile {
    std::string path;
    TFileFacts facts;
};

struct Stamp {
    std::string settings;
    long long writtenNs = 0;
    int records = 0;
    long long links = 0;
    std::vector<StampInput> inputs; // the set file first
    std::vector<StampFile> files; // pages and external output files
    std::vector<std::string> pages;
};

// Strings go into the stamp as "x" + hex, so that any byte, a blank or an
// empty string reads back as it was.
std::string Hex(std::string_view bytes)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out = "x";
    out.reserve(1 + bytes.size() * 2);
    for (const unsigned char c : bytes) {
        out += kDigits[c >> 4];
        out += kDigits[c & 15];
    }
    return out;
}

bool Unhex(std::string_view text, std::string& bytes)
{
    if (text.empty() || text[0] != 'x' || text.size() % 2 != 1)
        return false;
    const auto digit = [](char c) {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    };
    bytes.clear();
    for (std::size_t i = 1; i < text.size(); i += 2) {
        const int high = digit(text[i]), low = digit(text[i + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes += static_cast<char>(high * 16 + low);
    }
    return true;
}

std::string HashText(std::uint64_t hash)
{
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

// One stamp per set file, named after its path.
std::string StampName(const std::string& setFile)
{
    return HashText(Hash64(setFile)) + ".stamp";
}

std::string Serialize(const Stamp& stamp)
{
    std::ostringstream out;
    out << kHeader << "\nsettings " << Hex(stamp.settings) << "\nwritten " << stamp.writtenNs << "\nrecords "
        << stamp.records << "\nlinks " << stamp.links << "\n";
    for (const StampInput& input : stamp.inputs)
        out << "input " << Hex(input.path) << " " << input.size << " " << HashText(input.hash) << "\n";
    for (const StampFile& file : stamp.files)
        out << "file " << Hex(file.path) << " " << file.facts.size << " " << file.facts.mtimeNs << " "
            << file.facts.inode << " " << file.facts.device << "\n";
    for (const std::string& page : stamp.pages)
        out << "page " << Hex(page) << "\n";
    const std::string body = out.str();
    // The closing line proves the stamp whole.
    return body + "end " + HashText(Hash64(body)) + "\n";
}

bool Parse(const std::string& bytes, Stamp& stamp)
{
    const std::size_t endLine = bytes.rfind("end ");
    if (bytes.compare(0, kHeader.size(), kHeader) != 0 || endLine == std::string::npos
        || bytes.substr(endLine)
            != "end " + HashText(Hash64(std::string_view(bytes).substr(0, endLine))) + "\n")
        return false;
    std::istringstream lines(bytes.substr(kHeader.size(), endLine - kHeader.size()));
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty())
            continue;
        std::istringstream words(line);
        std::string tag, text;
        words >> tag;
        bool ok = true;
        if (tag == "settings") {
            ok = static_cast<bool>(words >> text) && Unhex(text, stamp.settings);
        } else if (tag == "written") {
            ok = static_cast<bool>(words >> stamp.writtenNs);
        } else if (tag == "records") {
            ok = static_cast<bool>(words >> stamp.records);
        } else if (tag == "links") {
            ok = static_cast<bool>(words >> stamp.links);
        } else if (tag == "input") {
            StampInput input;
            std::string hash;
            ok = static_cast<bool>(words >> text >> input.size >> hash) && Unhex(text, input.path);
            input.hash = std::strtoull(hash.c_str(), nullptr, 16);
            stamp.inputs.push_back(input);
        } else if (tag == "file") {
            StampFile file;
            file.facts.exists = true;
            ok = static_cast<bool>(words >> text >> file.facts.size >> file.facts.mtimeNs >> file.facts.inode
                     >> file.facts.device)
                && Unhex(text, file.path);
            stamp.files.push_back(file);
        } else if (tag == "page") {
            std::string page;
            ok = static_cast<bool>(words >> text) && Unhex(text, page);
            stamp.pages.push_back(page);
        } else {
            ok = false;
        }
        if (!ok)
            return false;
    }
    return !stamp.settings.empty() && !stamp.inputs.empty();
}

// Facts taken before and after reading a file (read gives whether it could
// be read); they must agree, or the file changed while it was read. A file
// changed in any way since shortly before the run began (even replaced by
// one with an old time, as sync and copy tools do) may not be what the run
// read.
template <typename Read> bool ReadSettled(const std::string& path, long long limitNs, Read read)
{
    const TFileFacts before = FileFactsOf(path);
    if (!before.exists || LastChangeNs(path) >= limitNs || !read())
        return false;
    return FileFactsOf(path) == before;
}

bool ReadSettledFile(const std::string& path, long long limitNs, std::string& bytes)
{
    return ReadSettled(path, limitNs, [&] { return ReadFileToString(path, bytes) == FileOk; });
}

// ReadSettledFile for a file whose size and hash are all that is needed.
bool HashSettledFile(const std::string& path, long long limitNs, StampInput& input)
{
    input.path = path;
    return ReadSettled(path, limitNs, [&] { return HashFileBytes(path, input.size, input.hash); });
}

// The stamp of a run that has just ended, or false when it cannot be
// trusted: a file it depends on is missing, was written too recently, or
// the output holds a time of day that the next run would write anew.
bool BuildStamp(const std::string& setFile, const TGlobal& global, const TRunOutcome& outcome,
    long long runStartNs, Stamp& stamp)
{
    const long long limit = runStartNs - kRacyNs;
    long long epoch = 0;
    const bool fixedClock = SourceDateEpoch(epoch);

    std::vector<std::string> inputs = { setFile, global.ItemFileName, global.TableFileName };
    if (!global.InfoOutputList.empty())
        inputs.push_back(global.InfoOutputList);
    // The table and the list are read whole: their text is looked into.
    std::string table, list;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        StampInput input;
        if (i < 2) {
            if (!HashSettledFile(inputs[i], limit, input))
                return false;
        } else {
            std::string& bytes = i == 2 ? table : list;
            if (!ReadSettledFile(inputs[i], limit, bytes))
                return false;
            input = { inputs[i], bytes.size(), Hash64(bytes) };
        }
        stamp.inputs.push_back(std::move(input));
    }
    if (!fixedClock && table.find(kTimePlaceholder) != std::string::npos)
        return false;

    const auto addFile = [&](const std::string& path) {
        const TFileFacts facts = FileFactsOf(path);
        if (!facts.exists || LastChangeNs(path) >= limit)
            return false;
        stamp.files.push_back({ path, facts });
        return true;
    };
    for (const std::string& page : outcome.unchanged)
        if (!addFile(global.HTMLBaseDir + page))
            return false;
    const ReplaceExtTag tags(global.HTMLDir);
    for (const std::string& name : SplitLines(list)) {
        const std::string path = tags.ResolveName(name);
        std::string bytes;
        if (!ReadSettledFile(path, limit, bytes) || !addFile(path))
            return false;
        if (!fixedClock && !global.OuterTimeStart.empty()
            && bytes.find(global.OuterTimeStart) != std::string::npos)
            return false;
    }
    stamp.pages = outcome.unchanged;
    stamp.records = global.NormalRecordCount;
    stamp.links = outcome.linksMade;
    return true;
}

} // namespace

std::string RunStampSettings(const TGlobal& stored)
{
    // Each value with its length, so that no value can pass for another.
    const auto entry = [](std::string_view name, const std::string& value) {
        return std::string(name) + "=" + std::to_string(value.size()) + ":" + value + "\n";
    };
    std::string text = entry("version", GetProductVersion()) + RunEnvironmentText();
    for (const SettingDef& s : PersistedSettings()) {
        switch (s.kind) {
        case SettingKind::String:
            text += entry(s.name, stored.*(s.stringMember));
            break;
        case SettingKind::Flag:
            text += entry(s.name, stored.*(s.flagMember) ? "1" : "0");
            break;
        case SettingKind::Integer:
            text += entry(s.name, std::to_string(stored.*(s.intMember)));
            break;
        }
    }
    text += entry("date", CurrentDateText());
    long long epoch = 0;
    if (SourceDateEpoch(epoch))
        text += entry("time", CurrentTimeText());
    return text;
}

bool RunStampHolds(const std::string& setFile, const std::string& settings, TRunStampHit& hit)
{
    std::string bytes;
    Stamp stamp;
    if (!ReadRunCacheFile(StampName(setFile), bytes) || !Parse(bytes, stamp) || stamp.settings != settings
        || stamp.inputs.front().path != setFile)
        return false;
    // The cheap facts of the pages first, then the bytes of the inputs.
    for (const StampFile& file : stamp.files) {
        const TFileFacts facts = FileFactsOf(file.path);
        if (!(facts == file.facts) || facts.mtimeNs >= stamp.writtenNs - kRacyNs)
            return false;
    }
    for (const StampInput& input : stamp.inputs) {
        // A file of another size has changed: no need to read it.
        if (FileFactsOf(input.path).size != input.size)
            return false;
        std::uint64_t size = 0, hash = 0;
        if (!HashFileBytes(input.path, size, hash) || size != input.size || hash != input.hash)
            return false;
    }
    hit.pages = std::move(stamp.pages);
    hit.records = stamp.records;
    hit.links = stamp.links;
    return true;
}

bool RecordRunStamp(const std::string& setFile, const std::string& settings, const TGlobal& global,
    const TRunOutcome& outcome, bool clean, long long runStartNs)
{
    Stamp stamp;
    stamp.settings = settings;
    if (!clean || !outcome.Done() || !outcome.written.empty() || !outcome.skipped.empty()
        || !BuildStamp(setFile, global, outcome, runStartNs, stamp)) {
        ForgetRunStamp(setFile);
        return false;
    }
    stamp.writtenNs = WallClockNs();
    if (WriteRunCacheFile(StampName(setFile), Serialize(stamp)))
        return true;
    ForgetRunStamp(setFile);
    return false;
}

void ForgetRunStamp(const std::string& setFile)
{
    RemoveRunCacheFile(StampName(setFile));
}

} // namespace lexicana
