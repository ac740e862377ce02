#include "support/testenv.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <stdexcept>

namespace lexicana::test {

TempDir::TempDir()
{
    QTemporaryDir dir;
    dir.setAutoRemove(false);
    if (!dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
    path_ = dir.path().toStdString();
}

TempDir::~TempDir()
{
    QDir(QString::fromStdString(path_)).removeRecursively();
}

std::string TempDir::write(const std::string& name, const std::string& bytes) const
{
    std::string full = file(name);
    QFile f(QString::fromStdString(full));
    if (!f.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write " + full);
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return full;
}

std::string TempDir::read(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QByteArray all = f.readAll();
    return std::string(all.constData(), static_cast<std::size_t>(all.size()));
}

} // namespace lexicana::test
