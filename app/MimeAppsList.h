#pragma once

#include <string>
#include <vector>

namespace curvix {

// Edits the text of a freedesktop mimeapps.list file: the
// "[Default Applications]" group maps a MIME type to a list of desktop
// entry ids, the first being the default. Every line the edit is not about
// is kept byte for byte, so the user's and other programs' settings survive.

// The desktop ids listed for mimeType in the first group of that name
// ("[Default Applications]", "[MIME Cache]" of a mimeinfo.cache), in order.
std::vector<std::string> ApplicationsListed(const std::string& text, const std::string& group,
                                            const std::string& mimeType);

// True when text has nothing but group headers and blank lines.
bool HoldsNoEntries(const std::string& text);

// The first desktop id listed as default for mimeType, or "" when none.
std::string DefaultApplicationFor(const std::string& text, const std::string& mimeType);

// text with desktopId as the only default for mimeType. The caller decides
// whether it may take the type over.
std::string WithDefaultApplication(const std::string& text, const std::string& mimeType,
                                   const std::string& desktopId);

// text without desktopId as the default for mimeType; the line goes when
// nothing else is left on it. When another program comes first, the text
// stays as it is.
std::string WithoutDefaultApplication(const std::string& text, const std::string& mimeType,
                                      const std::string& desktopId);

} // namespace curvix
