#pragma once

#include <string>
#include <vector>

namespace curvix {

class CProfile;

// The most recently used documents, newest first, as the File menu shows
// them and the settings keep them ("File1" is the newest).
class CRecentFileList {
public:
    // The longest name the menu shows; longer paths are shortened.
    static constexpr std::size_t kDisplayLength = 30;

    CRecentFileList(std::string section, std::string entryFormat, std::size_t size);

    const std::vector<std::string>& Entries() const { return m_entries; }
    bool IsEmpty() const { return m_entries.empty(); }

    // Puts path first; an entry for the same path moves up instead of
    // appearing twice, and the oldest falls off a full list.
    void Add(const std::string& path);
    void Remove(std::size_t index);

    // The text for entry index: the file name alone for a file in
    // currentFolder, otherwise the path, shortened to kDisplayLength.
    std::string GetDisplayName(std::size_t index, const std::string& currentFolder) const;

    void ReadList(CProfile& profile);
    // Empties the section, then writes the entries as File1, File2, ...
    void WriteList(CProfile& profile) const;

private:
    std::string EntryName(std::size_t index) const;

    std::string m_section;
    std::string m_entryFormat; // "File%d", numbered from 1
    std::size_t m_size;
    std::vector<std::string> m_entries;
};

// Shortens a path to at most maxLength characters for display: the root,
// "...", then as many whole trailing components as fit; a file name that
// alone is too long is cut and ends in "...".
std::string AbbreviatePath(const std::string& path, std::size_t maxLength);

} // namespace curvix
