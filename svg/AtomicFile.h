#pragma once

#include <string>
#include <string_view>

namespace polygrav {

// Writes bytes to path in one piece: a temporary file in the same folder is
// written, flushed and then renamed over path, so that path holds either its
// old contents or all of the new ones. A file that cannot be created raises
// EFCreateError "ファイル %s を作成できません"; a write that does not complete
// raises EWriteError "ストリームへの書き込みエラー". The temporary file is
// removed on failure. An existing file's permission bits (and, where the
// writer may set it, its owner) are kept. Only a regular file that the user
// may write is replaced; a folder, a device or a write-protected file at path
// raises EFCreateError before anything is written. A symbolic link at path is
// replaced by the new file; the file it pointed to stays as it was.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace polygrav
