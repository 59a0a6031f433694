#pragma once

#include <string>

namespace curvix {

class CReadFile;
class CSaveFile;

// The framework's texts for file errors.
inline constexpr const char* kUnexpectedFileFormat = "Unexpected file format.";
inline constexpr const char* kFailedToOpenDocument = "Failed to open document.";
inline constexpr const char* kFailedToSaveDocument = "Failed to save document.";

enum class FileAction { opening, reading, saving };

// The text for a system error (errno) met while doing action on path. The
// framework's texts for a missing file, denied access and a full disk
// stand as they are; other errors add the system's own words. The path
// appears as ShownFileName gives it, so the text is one line.
std::string FileErrorText(int systemError, const std::string& path, FileAction action);

// The text for a file that CReadFile refused to open.
std::string OpenErrorText(const CReadFile& file, const std::string& path);

// The text for a save that CSaveFile could not make: as FileErrorText, but
// a file the system would not create in a folder that exists is not said
// to be missing.
std::string SaveErrorText(const CSaveFile& file, const std::string& path);

// A message of the file steps for path, made to name the file where the
// framework's text does not (the format error). For the command-line
// programs, whose one line must say which file was meant.
std::string NamingFile(const std::string& path, const std::string& message);

} // namespace curvix
