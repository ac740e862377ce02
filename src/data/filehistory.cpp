#include "data/filehistory.h"

#include "common/messages.h"
#include "common/textcode.h"
#include "common/translate.h"
#include "platform/settingsstore.h"

#include <algorithm>
#include <exception>

namespace lexicana {

namespace {

const char* const kCountValue = "Data";

unsigned char FoldAscii(char c)
{
    auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

} // namespace

TFileHistory::TFileHistory(int maximum, OpenCallback open, CheckCallback check)
    : maximum_(std::max(0, maximum))
    , open_(std::move(open))
    , check_(std::move(check))
{
    try {
        Load();
    } catch (const std::exception&) {
        // A history that cannot be read starts with what was read so far.
        Trim();
    }
}

TFileHistory::~TFileHistory()
{
    Trim();
    if (!saved_)
        Save();
}

bool TFileHistory::SamePath(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    // The entries are Shift_JIS whatever the document's code.
    for (std::size_t i = 0; i < a.size();) {
        std::size_t n = CharLength(TextCode::ShiftJis, a, i);
        if (n > 1) {
            // Both bytes of a double-byte character compare exactly; the
            // trail byte may look like an ASCII letter.
            if (a.compare(i, n, b, i, n) != 0 || CharLength(TextCode::ShiftJis, b, i) != n)
                return false;
        } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
        i += n;
    }
    return true;
}

void TFileHistory::Add(const std::string& path)
{
    if (!path.empty()) {
        auto found = std::find_if(
            list_.begin(), list_.end(), [&](const std::string& entry) { return SamePath(entry, path); });
        if (found != list_.end())
            list_.erase(found);
        list_.insert(list_.begin(), path);
        saved_ = false;
    }
    Trim();
    Changed();
}

const std::string& TFileHistory::Entry(int index) const
{
    static const std::string empty;
    return (index >= 0 && index < Count()) ? list_[static_cast<std::size_t>(index)] : empty;
}

std::string TFileHistory::MenuCaption(int index) const
{
    return "&" + std::to_string(index + 1) + " " + Entry(index);
}

bool TFileHistory::OpenEntry(int index)
{
    if (check_ && !check_())
        return false;
    if (index < 0 || index >= Count())
        return false;
    // A copy: opening adds the path to the front, which changes the list.
    std::string path = list_[static_cast<std::size_t>(index)];
    if (open_)
        open_(path);
    return true;
}

void TFileHistory::Load()
{
    list_.clear();
    saved_ = false;
    auto key = TSettingsKey::Open(kSettingsHistoryKey, true);
    int count = key->ValueExists(kCountValue) ? key->ReadInteger(kCountValue) : 0;
    // Entries beyond the maximum are never kept, so they are not read either
    // (a damaged count cannot make the start slow).
    count = std::min(count, maximum_);
    for (int i = 0; i < count; ++i) {
        std::string name = std::to_string(i);
        list_.push_back(key->ValueExists(name) ? key->ReadString(name) : std::string());
    }
    Trim();
    Changed();
}

bool TFileHistory::Save()
{
    try {
        auto key = TSettingsKey::Open(kSettingsHistoryKey, true);
        key->WriteInteger(kCountValue, Count());
        for (int i = 0; i < Count(); ++i)
            key->WriteString(std::to_string(i), list_[static_cast<std::size_t>(i)]);
        key->Close();
        saved_ = true;
        return true;
    } catch (const std::exception&) {
        MessageRequest request;
        request.text = lexicana::Tr("履歴を保存できません");
        request.caption = lexicana::Tr("エラー");
        request.flags = MbOk | MbIconStop;
        request.ownedByMainWindow = false;
        CurrentMessageSink().Show(request);
        return false;
    }
}

void TFileHistory::Trim()
{
    if (list_.size() > static_cast<std::size_t>(maximum_)) {
        list_.resize(static_cast<std::size_t>(maximum_));
        saved_ = false;
    }
}

void TFileHistory::Changed()
{
    if (changed_)
        changed_();
}

} // namespace lexicana
