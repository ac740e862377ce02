#include "platform/programinfo.h"

#include "platform/qsjis.h"

#include <QCoreApplication>
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
    auto bytes = SjisFromQString(text);
    return bytes ? *bytes : text.toStdString();
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

} // namespace lexicana
