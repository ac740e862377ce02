// Edit boxes that show document bytes (Shift_JIS). The box shows the decoded
// text; the bytes come back unchanged while the user has not edited it (a
// decode and re-encode is not lossless for every byte string), else the text
// is encoded, and a character without a Shift_JIS code is refused with a
// message.
#pragma once

#include <QString>
#include <string>

class QLineEdit;

namespace lexicana {

// Shows bytes in edit and remembers them as its document text.
void SetDocumentText(QLineEdit* edit, const std::string& bytes);
// The document bytes of what edit shows now; false (after telling the user)
// when the text holds a character without a Shift_JIS code.
bool GetDocumentText(const QLineEdit* edit, std::string& bytes);
// The Shift_JIS bytes of a text the user typed or chose; false (after
// telling the user) when a character has no Shift_JIS code.
bool EncodeUserText(const QString& text, std::string& bytes);

} // namespace lexicana
