// Replacing a file so that a crash or a kill at any moment leaves either the
// old contents or the new, never a mixture: the text goes into a temporary
// file beside the target, is flushed to the disk, and is then renamed over
// the target. The temporary file is named ".NAME.tmp-XXXXXX" for a target
// NAME, in the same folder.
#pragma once
#include <string>

// Writes text to path. On failure returns false with *error naming the path
// and the reason; the old file, if any, is left as it was and the temporary
// file is removed. A new file gets the usual permissions (0666 less the
// umask); a replaced one keeps its own.
bool WriteFileAtomically(const std::string &path, const std::string &text, std::string *error);

// Removes the temporary files that writes of path left when their process
// was killed before it could finish or clean up: only this user's plain
// files named as WriteFileAtomically names them for path. Returns how many.
// Call it only while no other process writes path.
int RemoveLeftoverTemporaries(const std::string &path);

// For tests: called after the temporary file is complete and synced, just
// before the rename, with the temporary file's path. Returning false makes
// the write fail at that point, as a crash there would. nullptr: none.
typedef bool (*BeforeRenameHook)(const std::string &temporaryPath);
void SetBeforeRenameHook(BeforeRenameHook hook);
