#include "platform/nativepath.h"

#include "common/sjis.h"
#include "platform/qsjis.h"

#include <QFile>

namespace lexicana {

std::string NativeFileName(const std::string& documentPath)
{
    std::string slashed;
    slashed.reserve(documentPath.size());
    for (std::size_t i = 0; i < documentPath.size();) {
        std::size_t n = SjisCharLength(documentPath, i);
        if (n == 1 && documentPath[i] == '\\')
            slashed += '/';
        else
            slashed.append(documentPath, i, n);
        i += n;
    }
    QByteArray encoded = QFile::encodeName(QStringFromSjis(slashed));
    return std::string(encoded.constData(), static_cast<std::size_t>(encoded.size()));
}

bool DocumentPathFromNative(const std::string& nativeName, std::string& documentPath)
{
    QString name
        = QFile::decodeName(QByteArray(nativeName.data(), static_cast<qsizetype>(nativeName.size())));
    auto bytes = SjisFromQString(name);
    if (!bytes)
        return false;
    documentPath = std::move(*bytes);
    return true;
}

} // namespace lexicana
