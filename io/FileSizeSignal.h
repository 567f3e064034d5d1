#pragma once

namespace trellon {

// Lets a write past the file-size limit fail with "File too large" instead of ending the
// program with SIGXFSZ; every save then reports it as it reports a full disk. Called first
// thing in main(), before any library writes a file of its own.
void ignoreFileSizeSignal();

}  // namespace trellon
