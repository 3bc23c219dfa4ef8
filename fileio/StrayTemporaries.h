#pragma once

#include <sys/stat.h>

namespace polygrav::fileio_detail {

// Removes, once per folder and process, the temporary files that a writer
// ended by SIGKILL between naming its new contents and renaming them over
// the target left in the folder open at folderFd: regular files of the
// writer's own user named ".<target>.<8 letters or digits>" whose target
// exists beside them, last changed more than a minute ago (so that another
// writer's file in the middle of its publishing is never taken). Best
// effort: a folder that cannot be listed is left as it is.
void RemoveStrayTemporaries(int folderFd, const struct stat& folderInfo);

}  // namespace polygrav::fileio_detail
