#pragma once

#include "Profile.h"

#include <memory>
#include <string>

namespace curvix {

// The per-user settings file for an organisation and the application name
// (on Linux ~/.config/<organisation>/<application>.conf). The file is read
// at the start; the changes are kept here, and Flush writes them into a
// private copy of the file, which is read back before its bytes replace
// the file, so that a write cut short never does.
class CSettingsProfile : public CProfile {
public:
    // A settings file that is not a regular file (a folder, a pipe, a
    // device) is not read, so that the start never waits on it: one line
    // on standard error says so, and the settings start empty.
    CSettingsProfile(const std::string& organisation, const std::string& application);
    ~CSettingsProfile() override;

    std::string GetString(const std::string& section, const std::string& entry,
                          const std::string& fallback) override;
    int GetInt(const std::string& section, const std::string& entry, int fallback) override;
    void WriteString(const std::string& section, const std::string& entry,
                     const std::string& value) override;
    void WriteInt(const std::string& section, const std::string& entry, int value) override;
    void RemoveSection(const std::string& section) override;

    // Writes the changes into the file as it is now, which is replaced only
    // once all of it is written. False, with the file as it was, when it
    // cannot be read as settings, is read-only, or cannot be written.
    bool Flush();
    // Why the last Flush failed, in the system's words where it gave some.
    const std::string& GetFlushError() const;
    std::string FileName() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_pImpl;
};

} // namespace curvix
