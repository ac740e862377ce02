// Replacing a file through a temporary file beside it: the new content is
// written to a fresh file in the target's folder, can be read back and
// checked there, and is then renamed over the target, so the target is at
// every instant either its old or its new self.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lexicana {

// Creates a new file beside path (beside the target when path is a symbolic
// link) holding exactly bytes, flushed to the disk. Its name is hidden and
// tells whose it is: "." + the file name + ".lexicana-" + six random letters
// + ".tmp". Gives its document path in tempPath. False when it cannot be
// created or written; nothing is then left behind.
bool WriteTempFileBeside(const std::string& path, std::string_view bytes, std::string& tempPath);

// Removes the temporary files of the paths that a run which did not finish
// (a killed program, a power cut) left beside them: only names
// WriteTempFileBeside gives for these paths, and only those last written more
// than olderThanSeconds ago, so that a run going on elsewhere keeps its own.
// The number removed.
int RemoveStaleTempFiles(const std::vector<std::string>& paths, int olderThanSeconds);

// Renames tempPath over path (over its target when path is a symbolic link,
// which stays a link); the result gets the permission bits of path.
// Refused (false, path untouched) when path is read-only: not writable, or
// without any write bit (which a root user would otherwise ignore); and when
// it is not a regular file (a device or FIFO is never replaced). The
// temporary file is left where it is on failure.
bool ReplaceFileWithTemp(const std::string& tempPath, const std::string& path);

// True when path (its target, for a symbolic link) is a writable regular file
// in a folder where this user may not create files: it can only be written in
// place, without a temporary file beside it.
bool WritableOnlyInPlace(const std::string& path);

// Removes the file; false when it could not be removed.
bool RemoveFile(const std::string& path);

} // namespace lexicana
