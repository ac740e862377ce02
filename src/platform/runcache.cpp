#include "platform/runcache.h"

#include "platform/nativepath.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QtGlobal>
#include <algorithm>
#include <chrono>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace lexicana {

namespace {

// The folder of the run cache; empty when the system names none.
QString RunCacheFolder()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return base.isEmpty() ? QString() : base + QStringLiteral("/lexicana/runs");
}

QString RunCacheFile(const std::string& name)
{
    const QString folder = RunCacheFolder();
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + QString::fromStdString(name);
}

} // namespace

TFileFacts FileFactsOf(const std::string& path)
{
    TFileFacts facts;
#ifdef Q_OS_UNIX
    struct stat info { };
    if (::stat(NativeFileName(path).c_str(), &info) != 0)
        return facts;
    facts.exists = true;
    facts.size = static_cast<unsigned long long>(info.st_size);
    facts.mtimeNs = static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
    facts.inode = static_cast<unsigned long long>(info.st_ino);
    facts.device = static_cast<unsigned long long>(info.st_dev);
#else
    const std::string native = NativeFileName(path);
    const QFileInfo info(QFile::decodeName(QByteArray(native.data(), static_cast<qsizetype>(native.size()))));
    if (!info.exists())
        return facts;
    facts.exists = true;
    facts.size = static_cast<unsigned long long>(info.size());
    facts.mtimeNs = info.lastModified().toMSecsSinceEpoch() * 1000000LL;
#endif
    return facts;
}

long long WallClockNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::system_clock::now().time_since_epoch())
        .count();
}

bool ReadRunCacheFile(const std::string& name, std::string& bytes)
{
    const QString path = RunCacheFile(name);
    if (path.isEmpty())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    bytes.assign(content.constData(), static_cast<std::size_t>(content.size()));
    return true;
}

bool WriteRunCacheFile(const std::string& name, std::string_view bytes)
{
    const QString path = RunCacheFile(name);
    if (path.isEmpty() || !QDir().mkpath(RunCacheFolder()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void RemoveRunCacheFile(const std::string& name)
{
    const QString path = RunCacheFile(name);
    if (!path.isEmpty())
        QFile::remove(path);
}

long long LastChangeNs(const std::string& path)
{
#ifdef Q_OS_UNIX
    struct stat info { };
    if (::stat(NativeFileName(path).c_str(), &info) != 0)
        return 0;
    const long long modified
        = static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
    const long long changed
        = static_cast<long long>(info.st_ctim.tv_sec) * 1000000000LL + info.st_ctim.tv_nsec;
    return std::max(modified, changed);
#else
    return FileFactsOf(path).mtimeNs;
#endif
}

std::string RunEnvironmentText()
{
    std::string text = "qt=" + std::string(qVersion()) + "\n";
    if (QCoreApplication::instance()) {
        const QByteArray program = QFile::encodeName(QCoreApplication::applicationFilePath());
        const TFileFacts facts
            = FileFactsOf(std::string(program.constData(), static_cast<std::size_t>(program.size())));
        text += "program=" + std::to_string(facts.size) + " " + std::to_string(facts.mtimeNs) + " "
            + std::to_string(facts.inode) + "\n";
    }
    for (const char* name : { "LC_ALL", "LC_TIME", "LC_COLLATE", "LC_CTYPE", "LANG", "LANGUAGE", "TZ" })
        text += std::string(name) + "=" + qEnvironmentVariable(name).toStdString() + "\n";
    return text;
}

} // namespace lexicana
