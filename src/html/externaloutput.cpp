#include "html/externaloutput.h"

#include "common/messages.h"
#include "common/translate.h"
#include "common/version.h"
#include "data/global.h"
#include "html/fileerror.h"
#include "html/replaceexttag.h"
#include "platform/localtime.h"
#include "platform/doctext.h"

#include <string>

namespace lexicana {

void UpdateExternalOutputFiles(const TGlobal& global, const TStringList& outputList, const TRunTarget& target,
    const std::unordered_map<std::string, std::string>* staged, const std::function<bool()>& processEvents)
{
    ReplaceExtTag tags(global.HTMLDir);
    tags.AddTag(global.OuterRecordStart, global.OuterRecordEnd, std::to_string(global.NormalRecordCount));
    tags.AddTag(
        global.OuterFileRecordStart, global.OuterFileRecordEnd, std::to_string(global.FileRecordCount));
    tags.AddTag(global.OuterDateStart, global.OuterDateEnd, CurrentDateText());
    tags.AddTag(global.OuterTimeStart, global.OuterTimeEnd, CurrentTimeText());
    tags.AddTag(global.OuterVersionStart, global.OuterVersionEnd, GetProductVersion());
    tags.AddTag(global.OuterLXVersionStart, global.OuterLXVersionEnd, global.VersionText);

    // Every listed line, empty ones included; a failed file does not stop
    // the update.
    for (const std::string& name : outputList) {
        const int result = tags.ApplyToFile(name, target, staged);
        if (result == ExtTagOutsideFolder)
            ShowError(FillArgs(
                lexicana::Tr(
                    "外部出力ファイル(\"%1\")はHTMLフォルダの外にあるため、出力フォルダには書き出せません。"),
                { DocToUtf8(tags.ResolveName(name)) }));
        else if (result == ExtTagCannotRead)
            ShowFileError(OutputCannotRead, name);
        else if (result == ExtTagCannotWrite)
            ShowFileError(OutputCannotWrite, name);
        if (processEvents && !processEvents())
            break;
    }
}

} // namespace lexicana
