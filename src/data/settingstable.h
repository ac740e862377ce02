// The persisted options of TGlobal, written once: value name, type, member
// and default. TGlobal::Load, TGlobal::Save and the tests are driven by it.
#pragma once

#include <span>
#include <string>

namespace lexicana {

class TGlobal;

enum class SettingKind { String, Flag, Integer };

struct SettingDef {
    const char* name;
    SettingKind kind;
    std::string TGlobal::*stringMember;
    bool TGlobal::*flagMember;
    int TGlobal::*intMember;
    const char* defaultString; // String
    int defaultValue; // Flag (0/1) and Integer
};

// The options in the order they are read and written.
std::span<const SettingDef> PersistedSettings();

// Sets every persisted option of g to its default.
void ApplySettingDefaults(TGlobal& g);

} // namespace lexicana
