// The per-user settings store: keys named like registry paths below the
// program's root "\Software\Orvane\Lexicana" (e.g. "...\History"), holding
// named string and 32-bit integer values. Backed by QSettings in its native
// format (organisation "Orvane", application "Lexicana"). Every failure
// throws std::runtime_error with a readable message.
#pragma once

#include <memory>
#include <string>

namespace lexicana {

// The root key of the program's settings and its history subkey.
inline constexpr const char* kSettingsRootKey = "\\Software\\Orvane\\Lexicana";
inline constexpr const char* kSettingsHistoryKey = "\\Software\\Orvane\\Lexicana\\History";

class TSettingsKey {
public:
    // Opens a key below the program's root. With create false a key that
    // holds no values yet counts as missing and the open throws.
    static std::unique_ptr<TSettingsKey> Open(const std::string& keyPath, bool create);
    ~TSettingsKey();
    TSettingsKey(const TSettingsKey&) = delete;
    TSettingsKey& operator=(const TSettingsKey&) = delete;

    bool ValueExists(const std::string& name) const;
    // Strings are Shift_JIS in memory and Unicode in the store.
    std::string ReadString(const std::string& name) const;
    int ReadInteger(const std::string& name) const;
    // Flags are integers: 0 false, anything else true.
    bool ReadBool(const std::string& name) const;

    void WriteString(const std::string& name, const std::string& value);
    void WriteInteger(const std::string& name, int value);
    void WriteBool(const std::string& name, bool value);

    // Writes pending changes to the store; throws when that fails.
    void Close();

private:
    struct Impl;
    explicit TSettingsKey(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

} // namespace lexicana
