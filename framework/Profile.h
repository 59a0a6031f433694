#pragma once

#include <string>

namespace curvix {

// The per-user settings store the application keeps its recent-file list
// and settings in: sections of named string and integer entries.
class CProfile {
public:
    virtual ~CProfile() = default;
    virtual std::string GetString(const std::string& section, const std::string& entry,
                                  const std::string& fallback) = 0;
    virtual int GetInt(const std::string& section, const std::string& entry, int fallback) = 0;
    virtual void WriteString(const std::string& section, const std::string& entry,
                             const std::string& value) = 0;
    virtual void WriteInt(const std::string& section, const std::string& entry, int value) = 0;
    virtual void RemoveSection(const std::string& section) = 0;
};

} // namespace curvix
