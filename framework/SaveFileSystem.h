#pragma once

#include <cstdio>
#include <string>

namespace curvix {

// The system's side of CSaveFile's commit, one implementation per system.
// Each sets errno when it fails.

// Pushes what was written to file down to the disk.
bool SyncToDisk(std::FILE* file);
// Puts the temporary file in the target's place in one step.
bool MoveOver(const std::string& temporary, const std::string& target);
void RemoveFile(const std::string& path);
// Whether the folder path lies in exists (sets no errno).
bool FolderExists(const std::string& path);

} // namespace curvix
