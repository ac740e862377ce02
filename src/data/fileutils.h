// Outside editors: the conversion table file in the text editor and a target
// page in the HTML editor. Builds the parameter text from a "%1" template,
// chooses the program, starts it and, when asked to, waits for it to end
// while the window is kept out of the way (through hooks, so that this unit
// needs no window code).
#pragma once

#include "common/translate.h"

#include <functional>
#include <string>

namespace lexicana {

class TGlobal;

// Shown (caption "Lexicana", OK) when an editor cannot be started.
inline constexpr const char* kEditorStartFailedMessage = lexicana::TrMark(
    "テキストエディタを実行できませんでした。\nオプション設定のテキストエディタの設定を確認してください。");
// Caption of that message: the application's title.
inline constexpr const char* kApplicationTitle = "Lexicana";

// What the window does while a waited-for editor runs: hide before the wait
// (e.g. minimise and hide the main window), restore after it. Either may be
// empty.
struct TEditorWaitHooks {
    std::function<void()> hide;
    std::function<void()> restore;
};

// The parameter text (Shift_JIS): "%1" becomes file, "%" + another character
// gives that character ("%%" gives "%"), a final "%" stays, everything else
// is copied; a double-byte character is copied whole and ends a pending "%".
std::string BuildEditorParameters(const std::string& paramTemplate, const std::string& file);

// The HTML editor program: HTMLEditor, or Editor when HTMLEditor is empty.
std::string ChooseHTMLEditor(const TGlobal& global);

// Starts program with the parameters built from paramTemplate and file (the
// file's separators made local). With wait, calls hooks.hide once the program
// has started, blocks until it ends and calls hooks.restore. Shows
// kEditorStartFailedMessage and returns false when it cannot be started.
bool LaunchEditor(const std::string& file, const std::string& program, const std::string& paramTemplate,
    bool wait, const TEditorWaitHooks& hooks = {});

// The conversion table file (TableFileName) in Editor with EditorParam and WaitEditor.
bool LaunchTableEditor(const TGlobal& global, const TEditorWaitHooks& hooks = {});
// file in ChooseHTMLEditor() with HTMLEditorParam and WaitHTMLEditor.
bool LaunchHTMLEditor(const TGlobal& global, const std::string& file, const TEditorWaitHooks& hooks = {});

} // namespace lexicana
