// Qt flavour of the Shift_JIS edge conversions, for the window program and
// the platform code that hands names to Qt.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace lexicana {

QString QStringFromSjis(std::string_view sjis);
// Shift_JIS bytes of text, or nothing when a character has no Shift_JIS
// code; the characters without a code are then put into unencodable.
std::optional<std::string> SjisFromQString(const QString& text, QString* unencodable = nullptr);

} // namespace lexicana
