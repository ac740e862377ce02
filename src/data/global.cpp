#include "data/global.h"

#include "common/fileio.h"
#include "common/messages.h"
#include "common/version.h"
#include "data/settingstable.h"
#include "platform/programinfo.h"
#include "platform/settingsstore.h"

#include <exception>

namespace lexicana {

const char* const kUntitledName = "\x96\xb3\x91\xe8"; // "無題"

TGlobal::TGlobal(bool loadSettings)
{
    VersionText = "Lexicana version " + GetProductVersion();
    SetFileName = kUntitledName;
    ItemFileName = kUntitledName;
    ApplySettingDefaults(*this);
    SetTableDefaults();
    if (loadSettings)
        Load();
}

void TGlobal::SetTableDefaults()
{
    PartStartMarker = "<!-- Start of \"Lexicana\" Part -->";
    PartEndMarker = "<!-- End of \"Lexicana\" Part -->";
    LinkTemplate = "<a href = \"./{\\FILE}#{\\NAME}\">{\\WORD}</a>";
    AnchorTemplate = "<a name=\"{\\NAME}\">";
    OuterRecordStart = "<!-- Lexicana:RECORD_START -->";
    OuterRecordEnd = "<!-- Lexicana:RECORD_END -->";
    OuterFileRecordStart = "<!-- Lexicana:FILERECORD_START -->";
    OuterFileRecordEnd = "<!-- Lexicana:FILERECORD_END -->";
    OuterDateStart = "<!-- Lexicana:DATE_START -->";
    OuterDateEnd = "<!-- Lexicana:DATE_END -->";
    OuterTimeStart = "<!-- Lexicana:TIME_START -->";
    OuterTimeEnd = "<!-- Lexicana:TIME_END -->";
    OuterVersionStart = "<!-- Lexicana:VERSION_START -->";
    OuterVersionEnd = "<!-- Lexicana:VERSION_END -->";
    OuterLXVersionStart = "<!-- Lexicana:LXVERSION_START -->";
    OuterLXVersionEnd = "<!-- Lexicana:LXVERSION_END -->";
    OuterLinkStart = "<!-- Lexicana:LINK_START -->";
    OuterLinkEnd = "<!-- Lexicana:LINK_END -->";
    LinkedNameCol = 0;
    SortCol = 1;
    LinkedWordCol = 2;
    LinkToSelf = false;
    Links = LinkOptions();
}

void TGlobal::Load()
{
    // Each value is read on its own: a value of the wrong type keeps its
    // default, the others still load, and one report lists the problems.
    std::string problems;
    try {
        auto key = TSettingsKey::Open(kSettingsRootKey, true);
        for (const SettingDef& s : PersistedSettings()) {
            if (!key->ValueExists(s.name))
                continue;
            try {
                switch (s.kind) {
                case SettingKind::String:
                    this->*(s.stringMember) = key->ReadString(s.name);
                    break;
                case SettingKind::Flag:
                    this->*(s.flagMember) = key->ReadBool(s.name);
                    break;
                case SettingKind::Integer:
                    this->*(s.intMember) = key->ReadInteger(s.name);
                    break;
                }
            } catch (const std::exception& e) {
                problems += (problems.empty() ? "" : "\r\n") + std::string(e.what());
            }
        }
        key->Close();
        auto history = TSettingsKey::Open(kSettingsHistoryKey, true);
        if (history->ValueExists("0"))
            LastFile = history->ReadString("0");
        history->Close();
    } catch (const std::exception& e) {
        problems += (problems.empty() ? "" : "\r\n") + std::string(e.what());
    } catch (...) {
        problems += (problems.empty() ? "" : "\r\n") + std::string("unknown error");
    }
    if (!problems.empty())
        ReportError(problems, "TGlobal::Load");
}

void TGlobal::Save()
{
    try {
        // The strings, then the facts about the program, then flags and numbers.
        auto key = TSettingsKey::Open(kSettingsRootKey, true);
        for (const SettingDef& s : PersistedSettings())
            if (s.kind == SettingKind::String)
                key->WriteString(s.name, this->*(s.stringMember));
        key->WriteString("ProgramFileName", RunningProgramFileName());
        key->WriteString("ProgramPath", RunningProgramFolder());
        key->WriteString("Version", GetProductVersion());
        for (const SettingDef& s : PersistedSettings()) {
            if (s.kind == SettingKind::Flag)
                key->WriteBool(s.name, this->*(s.flagMember));
            else if (s.kind == SettingKind::Integer)
                key->WriteInteger(s.name, this->*(s.intMember));
        }
        key->Close();
    } catch (const std::exception& e) {
        ReportError(e, "TGlobal::Save");
    } catch (...) {
        ReportError(std::string("unknown error"), "TGlobal::Save");
    }
}

int TGlobal::ReadFileToString(const std::string& path, std::string& text) const
{
    return lexicana::ReadFileToString(path, text);
}

int TGlobal::WriteStringToFile(const std::string& path, const std::string& text) const
{
    return lexicana::WriteStringToFile(path, text);
}

int TGlobal::ShowMessageBox(const std::string& text, const std::string& caption, int flags) const
{
    return lexicana::ShowMessageBox(text, caption, flags);
}

} // namespace lexicana
