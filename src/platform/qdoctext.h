// Qt flavour of the document-text edge conversions (doctext.h), for the
// window program and the platform code that hands names to Qt.
#pragma once

#include "common/textcode.h"

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace lexicana {

QString QStringFromDoc(std::string_view text);
QString QStringFromCode(TextCode code, std::string_view text);
// The document's bytes of text, or nothing when a character has no code in
// the document's code; the characters without one are then put into
// unencodable.
std::optional<std::string> DocFromQString(const QString& text, QString* unencodable = nullptr);
std::optional<std::string> CodeFromQString(TextCode code, const QString& text, QString* unencodable = nullptr);

} // namespace lexicana
