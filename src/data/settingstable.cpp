#include "data/settingstable.h"

#include "data/global.h"
#include "platform/uilanguage.h"

#include <array>

namespace lexicana {

namespace {

constexpr SettingDef Str(const char* name, std::string TGlobal::*m, const char* def)
{
    return { name, SettingKind::String, m, nullptr, nullptr, def, 0 };
}
constexpr SettingDef Flag(const char* name, bool TGlobal::*m, bool def)
{
    return { name, SettingKind::Flag, nullptr, m, nullptr, "", def ? 1 : 0 };
}
constexpr SettingDef Int(const char* name, int TGlobal::*m, int def)
{
    return { name, SettingKind::Integer, nullptr, nullptr, m, "", def };
}

// The text editor by default: the desktop's own handler of the file's type
// (an empty HTML editor falls back to it as well).
#if defined(_WIN32)
constexpr const char* kDefaultEditor = "notepad.exe";
#elif defined(__APPLE__)
constexpr const char* kDefaultEditor = "open";
#else
constexpr const char* kDefaultEditor = "xdg-open";
#endif

const std::array<SettingDef, 18> kSettings = {
    Str("Editor", &TGlobal::Editor, kDefaultEditor),
    Str("HTMLEditor", &TGlobal::HTMLEditor, ""),
    Str("EditorParam", &TGlobal::EditorParam, "\"%1\""),
    Str("HTMLEditorParam", &TGlobal::HTMLEditorParam, "\"%1\""),
    Str("FileRecordDialogFilter", &TGlobal::FileRecordDialogFilter, "*.html"),
    Flag("FullPath", &TGlobal::FullPath, false),
    Flag("StartupRead", &TGlobal::StartupRead, false),
    Flag("SaveCSVatConv", &TGlobal::SaveCSVatConv, false),
    Flag("WaitEditor", &TGlobal::WaitEditor, false),
    Flag("WaitHTMLEditor", &TGlobal::WaitHTMLEditor, false),
    Flag("RepDirectVert", &TGlobal::RepDirectVert, true),
    Flag("PopupOperatePosition", &TGlobal::PopupOperatePosition, false),
    Flag("UseLocalHelp", &TGlobal::UseLocalHelp, true),
    Str(kInterfaceLanguageSetting, &TGlobal::InterfaceLanguage, ""),
    Int("KanjiCode", &TGlobal::KanjiCode, -1),
    Int("NewLineCode", &TGlobal::NewLineCode, -1),
    Int("UndoLimitMB", &TGlobal::UndoLimitMB, 64),
    Flag("NewDocumentUtf8", &TGlobal::NewDocumentUtf8, false),
};

} // namespace

std::span<const SettingDef> PersistedSettings()
{
    return kSettings;
}

void ApplySettingDefaults(TGlobal& g)
{
    for (const SettingDef& s : kSettings) {
        switch (s.kind) {
        case SettingKind::String:
            g.*(s.stringMember) = s.defaultString;
            break;
        case SettingKind::Flag:
            g.*(s.flagMember) = s.defaultValue != 0;
            break;
        case SettingKind::Integer:
            g.*(s.intMember) = s.defaultValue;
            break;
        }
    }
}

} // namespace lexicana
