#include "platform/nativepath.h"

#include "common/pathutils.h"
#include "platform/qdoctext.h"

#include <QFile>

namespace lexicana {

std::string NativeFileName(const std::string& documentPath)
{
    const std::string slashed = WithSlashSeparators(documentPath);
    QByteArray encoded = QFile::encodeName(QStringFromDoc(slashed));
    return std::string(encoded.constData(), static_cast<std::size_t>(encoded.size()));
}

bool DocumentPathFromNative(const std::string& nativeName, std::string& documentPath)
{
    QString name
        = QFile::decodeName(QByteArray(nativeName.data(), static_cast<qsizetype>(nativeName.size())));
    auto bytes = DocFromQString(name);
    if (!bytes)
        return false;
    documentPath = std::move(*bytes);
    return true;
}

} // namespace lexicana
