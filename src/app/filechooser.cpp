#include "app/filechooser.h"

#include "app/filedialogs.h"
#include "common/messages.h"
#include "components/uitext.h"
#include "platform/nativepath.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <memory>

namespace lexicana {

namespace {

QString QtName(const std::string& documentPath)
{
    const std::string native = NativeFileName(documentPath);
    return QFile::decodeName(QByteArray(native.data(), static_cast<qsizetype>(native.size())));
}

// A file the user may not replace: not writable, or without any write bit.
bool IsReadOnly(const QFileInfo& info)
{
    constexpr QFileDevice::Permissions anyWrite
        = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return !info.isWritable() || !(info.permissions() & anyWrite);
}

// Whether a chosen name may be used in this mode (asks or tells the user).
bool ConfirmChoice(const TFileChoiceRequest& request, const QString& title, const QString& chosen)
{
    const QFileInfo info(chosen);
    if (request.mode == TFileChoiceRequest::SaveAs && info.exists() && IsReadOnly(info)) {
        ShowError(lexicana::TrQ("ファイル \"%1\" は読み取り専用です。\n別の名前を選んでください。")
                      .arg(chosen)
                      .toStdString());
        return false;
    }
    if (request.mode == TFileChoiceRequest::OpenOrCreate && !info.exists()) {
        const QString question
            = lexicana::TrQ("%1\nこのファイルは存在しません。\nファイルを作成しますか?").arg(info.fileName());
        return ShowMessageBox(question.toStdString(), title.toStdString(), MbYesNo | MbIconQuestion) == IdYes;
    }
    return true;
}

std::vector<std::string> RunFileDialog(QWidget* owner, const TFileChoiceRequest& request, QString& lastFolder)
{
    QFileDialog dialog(owner);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setNameFilters(TQtFileDialogs::QtFilters(request.filter));
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setLabelText(QFileDialog::LookIn, lexicana::TrQ("ファイルの場所:"));
    dialog.setLabelText(QFileDialog::FileName, lexicana::TrQ("ファイル名:"));
    dialog.setLabelText(QFileDialog::FileType, lexicana::TrQ("ファイルの種類:"));
    dialog.setLabelText(QFileDialog::Reject, lexicana::TrQ("キャンセル"));
    const bool save = request.mode == TFileChoiceRequest::SaveAs;
    QString title = request.title;
    if (title.isEmpty())
        title = save ? lexicana::TrQ("名前を付けて保存") : lexicana::TrQ("開く");
    dialog.setWindowTitle(title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setLabelText(QFileDialog::Accept, save ? lexicana::TrQ("保存(&S)") : lexicana::TrQ("開く(&O)"));
    switch (request.mode) {
    case TFileChoiceRequest::OpenExisting:
        dialog.setFileMode(QFileDialog::ExistingFile);
        break;
    case TFileChoiceRequest::OpenExistingMany:
        dialog.setFileMode(QFileDialog::ExistingFiles);
        break;
    default:
        dialog.setFileMode(QFileDialog::AnyFile);
        break;
    }
    if (!request.folder.empty())
        dialog.setDirectory(QtName(request.folder));
    else if (!lastFolder.isEmpty())
        dialog.setDirectory(lastFolder);

    std::vector<std::string> chosen;
    if (dialog.exec() != QDialog::Accepted)
        return chosen;
    for (const QString& name : dialog.selectedFiles()) {
        std::string path;
        if (!TQtFileDialogs::AcceptChosenName(name, path) || !ConfirmChoice(request, title, name))
            return {};
        chosen.push_back(std::move(path));
        lastFolder = QFileInfo(name).absolutePath();
    }
    return chosen;
}

} // namespace

TFileChooser QtFileChooser(QWidget* owner)
{
    QPointer<QWidget> guarded(owner);
    auto lastFolder = std::make_shared<QString>();
    return [guarded, lastFolder](
               const TFileChoiceRequest& request) { return RunFileDialog(guarded, request, *lastFolder); };
}

TFolderChooser QtFolderChooser(QWidget* owner)
{
    QPointer<QWidget> guarded(owner);
    return [guarded](const TFolderChoiceRequest& request) -> std::optional<std::string> {
        const QString folder = QFileDialog::getExistingDirectory(guarded, request.title,
            request.start.empty() ? QString() : QtName(request.start),
            QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
        if (folder.isEmpty())
            return std::nullopt;
        std::string path;
        if (!TQtFileDialogs::AcceptChosenName(QFileInfo(folder).absoluteFilePath(), path))
            return std::nullopt;
        return path;
    };
}

} // namespace lexicana
