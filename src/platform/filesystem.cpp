#include "platform/filesystem.h"

#include "platform/nativepath.h"
#include "platform/sjistext.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace lexicana {

namespace {

constexpr qint64 ReadBlockSize = 32768;

QString QtFileName(const std::string& documentPath)
{
    std::string native = NativeFileName(documentPath);
    return QFile::decodeName(QByteArray(native.data(), static_cast<qsizetype>(native.size())));
}

// True when the file is read-only: not writable for this user, or without
// any write bit (the read-only attribute of Windows). The bits are looked at
// too because a root user passes the access check for every file.
bool IsReadOnlyFile(const QFileInfo& info)
{
    constexpr QFileDevice::Permissions anyWrite
        = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return !info.isWritable() || !(info.permissions() & anyWrite);
}

bool Fail(std::string* error, const std::string& reason, const std::string& path)
{
    if (error)
        *error = reason + " : " + SjisToUtf8(path);
    return false;
}

} // namespace

bool ReadFileBytes(const std::string& path, std::string& bytes)
{
    bytes.clear();
    QFile file(QtFileName(path));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    std::string content;
    if (qint64 size = file.size(); size > 0)
        content.reserve(static_cast<std::size_t>(size));
    char block[ReadBlockSize];
    while (true) {
        qint64 got = file.read(block, ReadBlockSize);
        if (got < 0)
            return false;
        if (got == 0)
            break;
        content.append(block, static_cast<std::size_t>(got));
    }
    bytes.swap(content);
    return true;
}

bool SaveFileBytes(const std::string& path, std::string_view bytes, std::string* error)
{
    const QString name = QtFileName(path);
    const QFileInfo target(name);
    if (target.exists()) {
        if (target.isDir())
            return Fail(error, "フォルダーには書き込めません", path);
        // QSaveFile would rename over a read-only file; refuse it instead.
        if (IsReadOnlyFile(target))
            return Fail(error, "読み取り専用のファイルには書き込めません", path);
    }
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(
            error, "ファイルを書き込み用に開けません (" + file.errorString().toStdString() + ")", path);
    const qint64 size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size) {
        std::string reason = file.errorString().toStdString();
        file.cancelWriting();
        file.commit();
        return Fail(error, "ファイルに書き込めません (" + reason + ")", path);
    }
    if (!file.commit())
        return Fail(error, "ファイルを保存できません (" + file.errorString().toStdString() + ")", path);
    return true;
}

bool PathIsFile(const std::string& path)
{
    QFileInfo info(QtFileName(path));
    return info.exists() && !info.isDir();
}

bool PathIsFolder(const std::string& path)
{
    return QFileInfo(QtFileName(path)).isDir();
}

} // namespace lexicana
