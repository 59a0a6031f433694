#pragma once

// Win32Api.h takes back the Windows macros that would hide the resource
// table's own constants, whichever comes first.
#include "CurvixResources.h"
#include "Win32Api.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace curvix::test {

// This program's module, whose resources come from curvix_win32_resources.
HMODULE ThisModule();

// A table text (Latin-1) as the resources hold it: each byte one UTF-16
// code unit of the same value.
std::wstring Widened(const char* text);

// The numbers of every resource of one type in the module, and the
// languages of each.
std::set<UINT> ModuleResourceIds(LPCWSTR type);
std::set<LANGID> ModuleResourceLanguages(LPCWSTR type, UINT id);

// The raw bytes of one resource; empty when the module has none.
std::vector<std::uint8_t> ModuleResourceBytes(LPCWSTR type, UINT id);

} // namespace curvix::test
