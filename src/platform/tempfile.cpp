#include "platform/tempfile.h"

#include "platform/nativepath.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <filesystem>
#include <map>
#include <system_error>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace lexicana {

namespace {

constexpr int kNameAttempts = 64;

QString QtFileName(const std::string& documentPath)
{
    const std::string native = NativeFileName(documentPath);
    return QFile::decodeName(QByteArray(native.data(), static_cast<qsizetype>(native.size())));
}

std::filesystem::path FsPath(const QString& name)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(name.toStdWString());
#else
    const QByteArray encoded = QFile::encodeName(name);
    return std::filesystem::path(std::string(encoded.constData(), static_cast<std::size_t>(encoded.size())));
#endif
}

std::string RandomSuffix()
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string suffix;
    for (int i = 0; i < 6; ++i)
        suffix += kLetters[QRandomGenerator::global()->bounded(static_cast<int>(sizeof kLetters) - 1)];
    return suffix;
}

// The file a name stands for: the target of a symbolic link, so that the
// link stays a link and its target gets the new content.
QString FinalTarget(const QString& name)
{
    const QFileInfo info(name);
    if (info.isSymLink()) {
        const QString target = info.canonicalFilePath();
        if (!target.isEmpty())
            return target;
    }
    return name;
}

bool IsReadOnlyFile(const QFileInfo& info)
{
    constexpr QFileDevice::Permissions anyWrite
        = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return !info.isWritable() || !(info.permissions() & anyWrite);
}

// The temporary file name of a file name, with its random part.
QString TempName(const QString& fileName, const QString& random)
{
    return QLatin1Char('.') + fileName + QStringLiteral(".lexicana-") + random + QStringLiteral(".tmp");
}

} // namespace

int RemoveStaleTempFiles(const std::vector<std::string>& paths, int olderThanSeconds)
{
    // Each folder is listed once for all its pages: listing it per page costs
    // pages x files.
    std::map<QString, QSet<QString>> namesByFolder;
    for (const std::string& path : paths) {
        const QFileInfo target(FinalTarget(QtFileName(path)));
        namesByFolder[target.path()].insert(target.fileName());
    }
    const QString infix = QStringLiteral(".lexicana-");
    const QString suffix = QStringLiteral(".tmp");
    const qsizetype tail = infix.size() + 6 + suffix.size();
    const QDateTime limit = QDateTime::currentDateTime().addSecs(-olderThanSeconds);
    int removed = 0;
    for (const auto& [folder, names] : namesByFolder) {
        // The wildcard only narrows the listing; each name is then compared
        // by hand, as a page's own name may hold "[" or "*".
        QDirIterator entries(folder, QStringList { QStringLiteral(".*") + infix + QLatin1Char('*') + suffix },
            QDir::Files | QDir::Hidden | QDir::System);
        while (entries.hasNext()) {
            const QFileInfo entry = entries.nextFileInfo();
            const QString name = entry.fileName();
            if (name.size() <= 1 + tail || !name.startsWith(QLatin1Char('.')) || !name.endsWith(suffix))
                continue;
            const qsizetype pageSize = name.size() - 1 - tail;
            if (!names.contains(name.mid(1, pageSize)) || name.mid(1 + pageSize, infix.size()) != infix)
                continue;
            bool ours = true;
            for (const QChar c : name.mid(1 + pageSize + infix.size(), 6))
                ours = ours && c.unicode() < 0x80 && c.isLetterOrNumber();
            if (ours && entry.lastModified() < limit && QFile::remove(entry.filePath()))
                ++removed;
        }
    }
    return removed;
}

bool WriteTempFileBeside(const std::string& path, std::string_view bytes, std::string& tempPath)
{
    const QString base = FinalTarget(QtFileName(path));
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const QFileInfo target(base);
        QFile file(target.path() + QLatin1Char('/')
            + TempName(target.fileName(), QString::fromStdString(RandomSuffix())));
        std::string candidate;
        if (!DocumentPathFromNative(QFile::encodeName(file.fileName()).toStdString(), candidate))
            return false;
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (file.exists())
                continue; // name taken: draw another
            return false;
        }
        const qint64 size = static_cast<qint64>(bytes.size());
        bool ok = file.write(bytes.data(), size) == size && file.flush();
#ifdef Q_OS_UNIX
        ok = ok && ::fsync(file.handle()) == 0;
#endif
        file.close();
        ok = ok && file.error() == QFileDevice::NoError;
        if (!ok) {
            file.remove();
            return false;
        }
        tempPath = candidate;
        return true;
    }
    return false;
}

bool ReplaceFileWithTemp(const std::string& tempPath, const std::string& path)
{
#ifdef Q_OS_UNIX
    // The same steps with the system's calls, one each: a run replaces
    // hundreds of pages, and the file information classes ask the system
    // again for every property.
    const std::string native = NativeFileName(path);
    std::string target = native;
    struct stat info { };
    if (::lstat(native.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        std::error_code ignored;
        const std::filesystem::path canonical = std::filesystem::canonical(native, ignored);
        if (!ignored)
            target = canonical.string();
    }
    const std::string temp = NativeFileName(tempPath);
    if (::stat(target.c_str(), &info) == 0) {
        // A device or FIFO is never replaced by a regular file; a read-only
        // file is refused.
        if (!S_ISREG(info.st_mode) || ::access(target.c_str(), W_OK) != 0
            || (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            return false;
        // The owner, group and other bits only.
        if (::chmod(temp.c_str(), info.st_mode & 0777) != 0)
            return false;
    }
    return ::rename(temp.c_str(), target.c_str()) == 0;
#else
    const QString target = FinalTarget(QtFileName(path));
    const QString temp = QtFileName(tempPath);
    const QFileInfo info(target);
    if (info.exists()) {
        // A device or FIFO is never replaced by a regular file.
        if (!info.isFile() || IsReadOnlyFile(info))
            return false;
        // Only the owner, group and other bits: the "user" flags describe the
        // running user's access and would widen the mode for a root user.
        constexpr QFileDevice::Permissions userFlags
            = QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser;
        if (!QFile::setPermissions(temp, info.permissions() & ~userFlags))
            return false;
    }
    std::error_code error;
    std::filesystem::rename(FsPath(temp), FsPath(target), error);
    return !error;
#endif
}

bool WritableOnlyInPlace(const std::string& path)
{
    const QFileInfo info(FinalTarget(QtFileName(path)));
    return info.isFile() && !IsReadOnlyFile(info) && !QFileInfo(info.absolutePath()).isWritable();
}

bool RemoveFile(const std::string& path)
{
    return QFile::remove(QtFileName(path));
}

} // namespace lexicana
