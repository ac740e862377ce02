#include "data/fileutils.h"

#include "common/messages.h"
#include "common/pathutils.h"
#include "common/textcode.h"
#include "common/translate.h"
#include "data/global.h"
#include "platform/doctext.h"
#include "platform/process.h"

namespace lexicana {

std::string BuildEditorParameters(const std::string& paramTemplate, const std::string& file)
{
    std::string out;
    out.reserve(paramTemplate.size() + file.size());
    bool pending = false; // the previous character was a "%" that is not the last
    for (std::size_t i = 0; i < paramTemplate.size();) {
        std::size_t n = CharLength(paramTemplate, i);
        if (pending) {
            pending = false;
            if (n == 1 && paramTemplate[i] == '1')
                out += file;
            else
                out.append(paramTemplate, i, n);
        } else if (n == 1 && paramTemplate[i] == '%' && i + 1 < paramTemplate.size()) {
            pending = true;
        } else {
            out.append(paramTemplate, i, n);
        }
        i += n;
    }
    return out;
}

std::string ChooseHTMLEditor(const TGlobal& global)
{
    return global.HTMLEditor.empty() ? global.Editor : global.HTMLEditor;
}

bool LaunchEditor(const std::string& file, const std::string& program, const std::string& paramTemplate,
    bool wait, const TEditorWaitHooks& hooks)
{
    std::string parameters = BuildEditorParameters(paramTemplate, WithSlashSeparators(file));
    bool hidden = false;
    auto hide = [&] {
        hidden = true;
        if (hooks.hide)
            hooks.hide();
    };
    bool started = StartProgram(program, parameters, wait, hide);
    if (hidden && hooks.restore)
        hooks.restore();
    if (!started) {
        ShowMessageBox(lexicana::Tr(kEditorStartFailedMessage), kApplicationTitle, MbOk);
        return false;
    }
    return true;
}

namespace {

// An editor setting (kept in Shift_JIS whatever the document's code) in the
// document's code, the code of the file name it is put together with.
std::string SettingInDocumentCode(const std::string& sjis)
{
    std::string out;
    return ConvertTextCode(sjis, TextCode::ShiftJis, DocumentTextCode(), out) ? out : sjis;
}

} // namespace

bool LaunchTableEditor(const TGlobal& global, const TEditorWaitHooks& hooks)
{
    return LaunchEditor(global.TableFileName, SettingInDocumentCode(global.Editor),
        SettingInDocumentCode(global.EditorParam), global.WaitEditor, hooks);
}

bool LaunchHTMLEditor(const TGlobal& global, const std::string& file, const TEditorWaitHooks& hooks)
{
    return LaunchEditor(file, SettingInDocumentCode(ChooseHTMLEditor(global)),
        SettingInDocumentCode(global.HTMLEditorParam), global.WaitHTMLEditor, hooks);
}

} // namespace lexicana
