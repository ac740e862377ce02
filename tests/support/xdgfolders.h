// Test helper: points the XDG data and configuration folders (the user's and
// the system's) at fresh temporary folders for the life of the object, so
// that desktop registrations are written and looked up there only.
#pragma once

#include "support/testenv.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <array>
#include <string>
#include <utility>

namespace lexicana::test {

class XdgFolders {
public:
    XdgFolders()
    {
        for (std::size_t i = 0; i < kNames.size(); ++i) {
            saved_[i] = { qEnvironmentVariableIsSet(kNames[i]), qgetenv(kNames[i]) };
            qputenv(kNames[i], QByteArray::fromStdString(dir_.file(kFolders[i])));
        }
    }
    ~XdgFolders()
    {
        for (std::size_t i = 0; i < kNames.size(); ++i) {
            if (saved_[i].first)
                qputenv(kNames[i], saved_[i].second);
            else
                qunsetenv(kNames[i]);
        }
    }
    XdgFolders(const XdgFolders&) = delete;
    XdgFolders& operator=(const XdgFolders&) = delete;

    std::string dataHome() const { return dir_.file("data"); }
    std::string configHome() const { return dir_.file("config"); }
    std::string systemData() const { return dir_.file("sysdata"); }
    std::string systemConfig() const { return dir_.file("sysconfig"); }
    const TempDir& root() const { return dir_; }

    // Writes a file (creating its folders) and returns its path.
    static std::string put(const std::string& path, const std::string& bytes)
    {
        const QString name = QString::fromStdString(path);
        QDir().mkpath(QFileInfo(name).absolutePath());
        QFile file(name);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }
    // An installed desktop entry of another program.
    void installApplication(const std::string& id) const
    {
        put(dataHome() + "/applications/" + id,
            "[Desktop Entry]\nType=Application\nName=Other\nExec=other %f\n");
    }

private:
    static constexpr std::array<const char*, 4> kNames
        = { "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_DIRS" };
    static constexpr std::array<const char*, 4> kFolders = { "data", "config", "sysdata", "sysconfig" };
    TempDir dir_;
    std::array<std::pair<bool, QByteArray>, 4> saved_;
};

} // namespace lexicana::test
