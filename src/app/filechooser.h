// The file and folder choices of the conversion set and external output
// dialogs, behind std::function so that tests answer them without a window.
// Names come back as Shift_JIS document paths; a chosen name with a
// character that has no Shift_JIS code is refused with a message.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace lexicana {

struct TFileChoiceRequest {
    enum Mode {
        OpenAnyName, // an existing folder; the file need not exist
        OpenExisting, // one existing file
        OpenExistingMany, // one or more existing files
        SaveAs, // asks before overwriting; a read-only file is refused
        OpenOrCreate, // a missing file is offered for creation (Yes/No)
    };
    Mode mode = OpenExisting;
    QString title; // empty: the dialog's standard title
    const char* filter = ""; // "description|pattern|description|pattern..."
    QString defaultSuffix;
    std::string folder; // folder shown first (document path); empty: the last one
};

// The chosen names; empty when cancelled (or refused).
using TFileChooser = std::function<std::vector<std::string>(const TFileChoiceRequest&)>;

struct TFolderChoiceRequest {
    QString title;
    std::string start; // folder selected first (document path), may be empty
};

// The chosen folder (full path); nothing when cancelled (or refused).
using TFolderChooser = std::function<std::optional<std::string>(const TFolderChoiceRequest&)>;

// Qt's own (non-native) dialogs, owned by owner.
TFileChooser QtFileChooser(QWidget* owner);
TFolderChooser QtFolderChooser(QWidget* owner);

} // namespace lexicana
