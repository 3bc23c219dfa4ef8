#include "fileio/AtomicFile.h"

#include <unistd.h>

#include "fileio/DeviceFile.h"
#include "fileio/ReplacementFile.h"

namespace polygrav {

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
    if (IsCharacterDevice(path)) return WriteToDevice(path, bytes);
    fileio_detail::ReplacementFile file(path, bytes);
    file.SyncContents();
    file.Publish();
    // Flushes the folder's entry for the renamed file. Some file systems
    // cannot sync a folder; the file itself is complete, so this is best
    // effort.
    ::fsync(file.folderFd());
}

}  // namespace polygrav
