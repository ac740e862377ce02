// The list of recently used set files: at most a given number of paths, most
// recent first, read from the settings store (key "...\History") when created
// and written back when destroyed. The window shows the entries as numbered
// menu items (app/filehistorymenu.h), rebuilt whenever the list changes.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace lexicana {

class TFileHistory {
public:
    // Opens a chosen path (the window runs ReadLxsFile).
    using OpenCallback = std::function<void(const std::string& path)>;
    // Asked before an entry is opened: true when the current data may be
    // replaced (the window's QuerySaveData).
    using CheckCallback = std::function<bool()>;
    // Told after every change of the list, so the menu can be rebuilt.
    using ChangedCallback = std::function<void()>;

    // Loads the list from the store; a failure is swallowed (the list then
    // starts empty or partly read). The window passes 9 as maximum.
    TFileHistory(int maximum, OpenCallback open, CheckCallback check);
    // Saves the list unless an explicit Save() already wrote it unchanged;
    // a failure shows "履歴を保存できません".
    ~TFileHistory();
    TFileHistory(const TFileHistory&) = delete;
    TFileHistory& operator=(const TFileHistory&) = delete;

    // Moves path (Shift_JIS) to the front, dropping an entry equal to it
    // without regard to letter case and the entries beyond the maximum. An
    // empty path changes nothing but still tells the changed callback.
    void Add(const std::string& path);

    int Count() const { return static_cast<int>(list_.size()); }
    int Maximum() const { return maximum_; }
    const std::vector<std::string>& Entries() const { return list_; }
    // Path of entry index (0 the most recent); empty outside the list.
    const std::string& Entry(int index) const;
    // Menu caption of entry index (Shift_JIS): "&" + (index + 1) + " " + path.
    std::string MenuCaption(int index) const;

    // A click on entry index: asks the check callback, then calls the open
    // callback with the entry's path. True when the path was handed on.
    bool OpenEntry(int index);

    // Reads "Data" and the values "0", "1", ... replacing the list (trimmed
    // to the maximum). Throws std::runtime_error when the store fails.
    void Load();
    // Writes "Data" = Count() and the values "0" .. Count()-1; on failure
    // shows "履歴を保存できません" (caption "エラー", stop icon, no owner
    // window) and returns false.
    bool Save();

    void SetChangedCallback(ChangedCallback changed) { changed_ = std::move(changed); }

    // True when a and b are the same path without regard to ASCII letter
    // case (the bytes of double-byte characters compare exactly).
    static bool SamePath(const std::string& a, const std::string& b);

private:
    void Trim();
    void Changed();

    std::vector<std::string> list_;
    int maximum_;
    OpenCallback open_;
    CheckCallback check_;
    ChangedCallback changed_;
    bool saved_ = false; // the store holds list_ since an explicit Save()
};

} // namespace lexicana
