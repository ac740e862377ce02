#include "conversion/runtarget.h"

#include "common/pathutils.h"

namespace lexicana {

std::string TRunTarget::FolderPathOf(const std::string& baseDir, const std::string& path) const
{
    if (!baseDir.empty() && path.size() > baseDir.size() && path.compare(0, baseDir.size(), baseDir) == 0)
        return folder + path.substr(baseDir.size());
    return folder + ExtractFileName(path);
}

} // namespace lexicana
