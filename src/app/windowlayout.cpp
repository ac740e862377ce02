#include "app/windowlayout.h"

#include "platform/settingsstore.h"

#include <exception>
#include <string>

namespace lexicana {

namespace {

const std::string kWindowKey = std::string(kSettingsRootKey) + "\\Window";

} // namespace

std::optional<TWindowLayout> LoadWindowLayout()
{
    try {
        auto key = TSettingsKey::Open(kWindowKey, true);
        if (!key->ValueExists("Width") || !key->ValueExists("Height"))
            return std::nullopt;
        TWindowLayout layout;
        layout.size = QSize(key->ReadInteger("Width"), key->ReadInteger("Height"));
        if (key->ValueExists("PaneHeight"))
            layout.paneHeight = key->ReadInteger("PaneHeight");
        if (key->ValueExists("Maximized"))
            layout.maximized = key->ReadBool("Maximized");
        if (layout.size.width() <= 0 || layout.size.height() <= 0)
            return std::nullopt;
        return layout;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void SaveWindowLayout(const TWindowLayout& layout)
{
    try {
        auto key = TSettingsKey::Open(kWindowKey, true);
        key->WriteInteger("Width", layout.size.width());
        key->WriteInteger("Height", layout.size.height());
        key->WriteInteger("PaneHeight", layout.paneHeight);
        key->WriteBool("Maximized", layout.maximized);
        key->Close();
    } catch (const std::exception&) {
    }
}

} // namespace lexicana
