#pragma once

#include <string>

namespace curvix {

// The framework's texts for file errors.
inline constexpr const char* kUnexpectedFileFormat = "Unexpected file format.";
inline constexpr const char* kFailedToOpenDocument = "Failed to open document.";
inline constexpr const char* kFailedToSaveDocument = "Failed to save document.";

enum class FileAction { opening, reading, saving };

// The text for a system error (errno) met while doing action on path.
std::string FileErrorText(int systemError, const std::string& path, FileAction action);

} // namespace curvix
