#include "platform/process.h"

#include "platform/nativepath.h"
#include "platform/qdoctext.h"

#include <QFile>
#include <QProcess>

namespace lexicana {

bool StartProgram(const std::string& program, const std::string& parameters, bool wait,
    const std::function<void()>& onStarted)
{
    if (program.empty())
        return false;
    std::string native = NativeFileName(program);
    QString name = QFile::decodeName(QByteArray(native.data(), static_cast<qsizetype>(native.size())));
    QStringList arguments = QProcess::splitCommand(QStringFromDoc(parameters));
    if (!wait)
        return QProcess::startDetached(name, arguments);

    QProcess process;
    // The editor talks to the user, not to this program.
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    process.start(name, arguments);
    if (!process.waitForStarted(-1))
        return false;
    if (onStarted)
        onStarted();
    process.waitForFinished(-1);
    return true;
}

} // namespace lexicana
