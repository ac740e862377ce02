// The file dialogs of the main window behind one interface, so that tests
// can answer them: open and save of item data files and set files. Names
// come back as Shift_JIS document paths; a chosen name with a character that
// has no Shift_JIS code is refused with a message and counts as cancelled.
#pragma once

#include "common/translate.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>

class QWidget;

namespace lexicana {

// Filters of the dialogs: description and pattern pairs joined by "|".
inline constexpr const char* kOpenItemFilter
    = lexicana::TrMark("テキストファイル(CSV形式)(*.csv; *.txt)|*.csv; *.txt|全てのファイル(*.*)|*.*");
inline constexpr const char* kSaveItemFilter
    = lexicana::TrMark("CSV形式(*.csv)|*.csv|全てのファイル(*.*)|*.*|CSV形式 UTF-8(*.csv)|*.csv|全てのファイル UTF-8(*.*)|*.*");
inline constexpr const char* kSetFileFilter
    = lexicana::TrMark("Lexicanaセットファイル(*.lxs)|*.lxs|全てのファイル(*.*)|*.*");

class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    // OpenDialog_Item: an existing file; filterIndex is 1-based.
    virtual bool OpenItemFile(std::string& path, int& filterIndex) = 0;
    // SaveDialog_Item: default extension "csv", asks before overwriting.
    virtual bool SaveItemFile(const std::string& currentName, std::string& path, int& filterIndex) = 0;
    // OpenDialog_lxs: an existing file.
    virtual bool OpenSetFile(std::string& path) = 0;
    // SaveDialog_lxs: default extension "lxs", asks before overwriting.
    virtual bool SaveSetFile(const std::string& currentName, std::string& path) = 0;
};

// The dialogs of Qt (its own widgets, with Japanese labels). They start in
// the folder of the file being saved, else in the folder of the current set
// file, else where the last name was chosen.
class TQtFileDialogs final : public IFileDialogs {
public:
    // setFile gives the current set file's path (document path; empty or
    // relative while the set is untitled); it may be empty.
    explicit TQtFileDialogs(QWidget* owner, std::function<std::string()> setFile = {});

    bool OpenItemFile(std::string& path, int& filterIndex) override;
    bool SaveItemFile(const std::string& currentName, std::string& path, int& filterIndex) override;
    bool OpenSetFile(std::string& path) override;
    bool SaveSetFile(const std::string& currentName, std::string& path) override;

    // Qt's name filters of a "description|pattern|..." filter: each pattern
    // list ("*.csv; *.txt") becomes "description (*.csv *.txt)".
    static QStringList QtFilters(const char* filter);
    // The document path of a chosen local name; false (after telling the
    // user) when the name has a character without a Shift_JIS code.
    static bool AcceptChosenName(const QString& chosen, std::string& path);

private:
    enum class Mode { Open, Save };
    bool Run(Mode mode, const char* filter, const QString& defaultSuffix, const std::string& currentName,
        QString& folder, std::string& path, int& filterIndex);

    // The folder of an absolute document path when it exists, else empty.
    static QString ExistingFolderOf(const std::string& path);

    QPointer<QWidget> owner_;
    std::function<std::string()> setFile_;
    QString itemFolder_;
    QString setFolder_;
};

} // namespace lexicana
