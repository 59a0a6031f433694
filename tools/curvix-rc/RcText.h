#pragma once

#include "ResourceTable.h"

#include <string>
#include <string_view>
#include <vector>

namespace curvix {

// The resource script's statements for the table's resources. Texts are
// the table's 8-bit (Latin-1) texts, written as wide strings so that each
// byte becomes the UTF-16 code unit of the same value, whatever code page
// the resource compiler assumes. Each function returns false with the
// reason in error for data the script cannot hold.

// text as a wide string literal: a double quote doubled, backslash, line
// feed and tab as \\, \n and \t, any other byte outside printable ASCII, and
// the second of two question marks, as a three-digit octal escape.
std::string RcWideString(std::string_view text);

bool WriteRcMenu(const MenuResource& menu, std::string& out, std::string& error);
bool WriteRcAccelerators(const AccelTableResource& table, std::string& out, std::string& error);
bool WriteRcStringTable(const std::vector<StringResource>& strings, std::string& out,
                        std::string& error);
bool WriteRcDialog(const DialogResource& dialog, std::string& out, std::string& error);

} // namespace curvix
