#include "platform/newfile.h"

#include "platform/nativepath.h"

#include <cerrno>
#include <cstdio>

namespace lexicana {

bool CreateEmptyFileExclusively(const std::string& path, int& errorCode)
{
    errno = 0;
    // "x": exclusive creation, so a file that appeared meanwhile is never
    // truncated.
    std::FILE* file = std::fopen(NativeFileName(path).c_str(), "wbx");
    if (!file) {
        errorCode = errno != 0 ? errno : EIO;
        return false;
    }
    if (std::fclose(file) != 0) {
        errorCode = errno != 0 ? errno : EIO;
        return false;
    }
    return true;
}

} // namespace lexicana
