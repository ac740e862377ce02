// Shared helpers of the test programs: temporary folders and files.
#pragma once

#include <QString>
#include <string>

namespace lexicana::test {

// Folder that QSettings uses during the tests (a temporary folder).
QString SettingsFolder();

// A fresh temporary folder removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    // Absolute path of the folder, "/" separated, without a final "/".
    const std::string& path() const { return path_; }
    // path() + "/" + name
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    // Writes bytes to a file in the folder and returns its path.
    std::string write(const std::string& name, const std::string& bytes) const;
    // Reads a file of the folder (or any path) as bytes.
    static std::string read(const std::string& path);

private:
    std::string path_;
};

} // namespace lexicana::test
