#pragma once

#include <string>
#include <string_view>

namespace polygrav {

// Writes bytes to path in one piece: path then holds either its old contents
// or all of the new ones, also when the program is ended or the machine
// stops halfway. The new contents go to a temporary file in the target's
// folder (unnamed where the file system offers O_TMPFILE), are flushed to
// the disk and then renamed over the target, and the folder is flushed. No
// temporary file is left behind on failure, nor when SIGTERM, SIGINT or
// SIGHUP arrive meanwhile: while a named temporary file exists those
// signals are held back (see QuitSignalDeferral).
//
// A symbolic link at path is followed, through a chain of links, and the
// file it finally names is replaced in that file's own folder; the links
// stay. A dangling link creates the file it names. A character device
// (/dev/null, a terminal) is written to directly, having nothing to replace.
// Otherwise only a regular file that the user may write is replaced; a
// folder, another kind of device or a write-protected file (also behind a
// link) raises EFCreateError before anything is written.
// An existing file's permission bits (and, where the writer may set it, its
// owner) are kept. A hard link is split: the other names keep the old
// contents.
//
// A file that cannot be created raises EFCreateError CannotCreateFile; a
// write that does not complete raises EWriteError StreamWriteError. The
// detail of each (EPolygravError::detail) names the path and the system's
// reason.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace polygrav
