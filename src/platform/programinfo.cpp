#include "platform/programinfo.h"

#include "platform/nativepath.h"
#include "platform/qdoctext.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lexicana {

namespace {

QString ProgramFile()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

std::string ToDocument(const QString& text)
{
    // A name without a Shift_JIS code is kept as close as possible rather
    // than dropped; it is only shown and stored, never opened from here.
    auto bytes = DocFromQString(text);
    return bytes ? *bytes : text.toStdString();
}

QString FromDocument(const std::string& documentPath)
{
    const std::string native = NativeFileName(documentPath);
    return QFile::decodeName(QByteArray(native.data(), static_cast<qsizetype>(native.size())));
}

} // namespace

std::string RunningProgramPath()
{
    return ToDocument(ProgramFile());
}

std::string RunningProgramFileName()
{
    return ToDocument(QFileInfo(ProgramFile()).fileName());
}

std::string RunningProgramFolder()
{
    return ToDocument(QFileInfo(ProgramFile()).absolutePath());
}

std::string ProgramDataFolder(const std::string& programPath)
{
    const QString program = programPath.empty() ? ProgramFile() : FromDocument(programPath);
    const QDir folder = QFileInfo(program).absoluteDir();
    if (QFileInfo(folder.filePath(QStringLiteral("template"))).isDir()
        || QFileInfo(folder.filePath(QStringLiteral("manual"))).isDir())
        return ToDocument(folder.absolutePath());
    const QString shared = QDir::cleanPath(folder.absoluteFilePath(QStringLiteral("../share/lexicana")));
    if (QFileInfo(shared).isDir())
        return ToDocument(shared);
    return ToDocument(folder.absolutePath());
}

} // namespace lexicana
