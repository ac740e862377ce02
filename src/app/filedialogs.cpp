#include "app/filedialogs.h"

#include "common/messages.h"
#include "common/translate.h"
#include "components/uitext.h"
#include "platform/nativepath.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

namespace lexicana {

TQtFileDialogs::TQtFileDialogs(QWidget* owner, std::function<std::string()> setFile)
    : owner_(owner)
    , setFile_(std::move(setFile))
{
}

namespace {

QFileInfo LocalFileInfo(const std::string& path)
{
    const std::string native = NativeFileName(path);
    return QFileInfo(QFile::decodeName(QByteArray(native.data(), static_cast<qsizetype>(native.size()))));
}

} // namespace

QString TQtFileDialogs::ExistingFolderOf(const std::string& path)
{
    if (path.empty())
        return QString();
    const QFileInfo info = LocalFileInfo(path);
    return info.isAbsolute() && info.dir().exists() ? info.absolutePath() : QString();
}

QStringList TQtFileDialogs::QtFilters(const char* filter)
{
    const QStringList parts = lexicana::TrQ(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            pattern = pattern.trimmed();
        filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters;
}

bool TQtFileDialogs::AcceptChosenName(const QString& chosen, std::string& path)
{
    const QByteArray local = QFile::encodeName(chosen);
    if (DocumentPathFromNative(std::string(local.constData(), static_cast<std::size_t>(local.size())), path))
        return true;
    ShowError(FillArgs(
        lexicana::Tr("ファイル名 \"%1\" には Shift_JIS で表せない文字が含まれているため、使用できません。\n"
                     "別の名前を選んでください。"),
        { chosen.toStdString() }));
    return false;
}

bool TQtFileDialogs::Run(Mode mode, const char* filter, const QString& defaultSuffix,
    const std::string& currentName, QString& folder, std::string& path, int& filterIndex)
{
    QFileDialog dialog(owner_);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The descriptions already name their patterns.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    const QStringList filters = QtFilters(filter);
    dialog.setNameFilters(filters);
    dialog.setLabelText(QFileDialog::LookIn, lexicana::TrQ("ファイルの場所:"));
    dialog.setLabelText(QFileDialog::FileName, lexicana::TrQ("ファイル名:"));
    dialog.setLabelText(QFileDialog::FileType, lexicana::TrQ("ファイルの種類:"));
    dialog.setLabelText(QFileDialog::Reject, lexicana::TrQ("キャンセル"));
    if (mode == Mode::Open) {
        dialog.setWindowTitle(lexicana::TrQ("開く"));
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setLabelText(QFileDialog::Accept, lexicana::TrQ("開く(&O)"));
    } else {
        dialog.setWindowTitle(lexicana::TrQ("名前を付けて保存"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(defaultSuffix);
        dialog.setLabelText(QFileDialog::Accept, lexicana::TrQ("保存(&S)"));
    }
    // Start where the file being saved lies, else in the set file's folder,
    // else where the last name was chosen.
    const QString currentFolder = ExistingFolderOf(currentName);
    const QString setFolder = setFile_ ? ExistingFolderOf(setFile_()) : QString();
    if (!currentFolder.isEmpty()) {
        dialog.setDirectory(currentFolder);
        dialog.selectFile(LocalFileInfo(currentName).fileName());
    } else if (!setFolder.isEmpty()) {
        dialog.setDirectory(setFolder);
    } else if (!folder.isEmpty()) {
        dialog.setDirectory(folder);
    }
    if (filterIndex >= 1 && filterIndex <= filters.size())
        dialog.selectNameFilter(filters[filterIndex - 1]);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    const QString chosen = dialog.selectedFiles().first();
    if (!AcceptChosenName(chosen, path))
        return false;
    folder = QFileInfo(chosen).absolutePath();
    const qsizetype index = filters.indexOf(dialog.selectedNameFilter());
    filterIndex = index < 0 ? 1 : static_cast<int>(index) + 1;
    return true;
}

bool TQtFileDialogs::OpenItemFile(std::string& path, int& filterIndex)
{
    filterIndex = 1;
    return Run(Mode::Open, kOpenItemFilter, QString(), std::string(), itemFolder_, path, filterIndex);
}

bool TQtFileDialogs::SaveItemFile(const std::string& currentName, std::string& path, int& filterIndex)
{
    return Run(
        Mode::Save, kSaveItemFilter, QStringLiteral("csv"), currentName, itemFolder_, path, filterIndex);
}

bool TQtFileDialogs::OpenSetFile(std::string& path)
{
    int filterIndex = 1;
    return Run(Mode::Open, kSetFileFilter, QString(), std::string(), setFolder_, path, filterIndex);
}

bool TQtFileDialogs::SaveSetFile(const std::string& currentName, std::string& path)
{
    int filterIndex = 1;
    return Run(Mode::Save, kSetFileFilter, QStringLiteral("lxs"), currentName, setFolder_, path, filterIndex);
}

} // namespace lexicana
