#pragma once

#include "Win32Api.h"

#include <string>

namespace curvix {

// Marks an edit field as forms mark a field in error: a red frame in place
// of its border, and the problems (one a line) as its tooltip. Marking a
// marked field replaces its problems; an empty text takes the mark off.
void MarkFieldWin(::HWND field, const std::string& problems);
bool IsFieldMarkedWin(::HWND field);
// The problems the field's tooltip shows; empty when it is not marked.
std::string FieldProblemsWin(::HWND field);

} // namespace curvix
