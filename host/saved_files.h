// What becomes of a file the user asked for once it is written: in the
// browser it is handed over as a download, so the path it was written at
// means nothing to the user; on a desktop it stays where it was written.
#pragma once

namespace backend {
// True where a saved file reaches the user as a download.
bool SavedFilesAreDownloads();
} // namespace backend
