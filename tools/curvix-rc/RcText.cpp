#include "RcText.h"

#include <cstdio>
#include <set>

namespace curvix {

namespace {

constexpr UINT kMaxResourceId = 0xFFFF;

std::string Hex(DWORD value) {
    char text[16];
    // Styles and flags are 32 bits wide on Windows, whatever DWORD is here.
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value & 0xFFFFFFFFu));
    return text;
}

bool CheckId(const char* kind, UINT id, std::string& error) {
    if (id >= 1 && id <= kMaxResourceId)
        return true;
    error = std::string(kind) + " " + std::to_string(id) + " is outside 1 to 65535";
    return false;
}

bool MenuOptions(const MenuItemResource& item, UINT known, std::string& options,
                 std::string& error) {
    if ((item.flags & ~known) != 0) {
        error = "the menu line \"" + std::string(item.text) + "\" has flags " + Hex(item.flags) +
                " that a menu script cannot state";
        return false;
    }
    if (item.flags & MF_GRAYED)
        options += ", GRAYED";
    if (item.flags & MF_CHECKED)
        options += ", CHECKED";
    return true;
}

} // namespace

std::string RcWideString(std::string_view text) {
    std::string out = "L\"";
    char previous = '\0';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"') {
            out += "\"\"";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte >= 0x7F || (c == '?' && previous == '?')) {
            // A second "?" in a row is escaped too: "??" and a character
            // would be a trigraph to the script's preprocessor.
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\%03o", byte);
            out += escape;
        } else {
            out += c;
        }
        previous = c;
    }
    return out + "\"";
}

bool WriteRcMenu(const MenuResource& menu, std::string& out, std::string& error) {
    if (!CheckId("menu", menu.id, error))
        return false;
    std::string text = std::to_string(menu.id) + " MENU\nBEGIN\n";
    bool inPopup = false;
    for (const MenuItemResource& item : menu.items) {
        std::string options;
        const char* indent = inPopup ? "        " : "    ";
        if (item.flags & MF_POPUP) {
            if (!MenuOptions(item, MF_POPUP | MF_GRAYED | MF_CHECKED, options, error))
                return false;
            if (inPopup)
                text += "    END\n";
            text += "    POPUP " + RcWideString(item.text) + options + "\n    BEGIN\n";
            inPopup = true;
        } else if (item.flags & MF_SEPARATOR) {
            if (item.flags != MF_SEPARATOR) {
                error = "a menu separator has flags " + Hex(item.flags) + " besides MF_SEPARATOR";
                return false;
            }
            text += std::string(indent) + "MENUITEM SEPARATOR\n";
        } else {
            if (!MenuOptions(item, MF_GRAYED | MF_CHECKED, options, error) ||
                !CheckId("the command of a menu item", item.id, error))
                return false;
            text += std::string(indent) + "MENUITEM " + RcWideString(item.text) + ", " +
                    std::to_string(item.id) + options + "\n";
        }
    }
    if (inPopup)
        text += "    END\n";
    out += text + "END\n";
    return true;
}

bool WriteRcAccelerators(const AccelTableResource& table, std::string& out, std::string& error) {
    if (!CheckId("accelerator table", table.id, error))
        return false;
    std::string text = std::to_string(table.id) + " ACCELERATORS\nBEGIN\n";
    for (const AccelResource& entry : table.entries) {
        const std::string where = "the accelerator for command " + std::to_string(entry.cmd);
        if ((entry.fVirt & ~(FVIRTKEY | FSHIFT | FCONTROL | FALT)) != 0) {
            error = where + " has flags " + Hex(entry.fVirt) + " that a script cannot state";
            return false;
        }
        // Shift and Ctrl only qualify virtual keys; a character key has them
        // in its character.
        if (!(entry.fVirt & FVIRTKEY) && (entry.fVirt & (FSHIFT | FCONTROL))) {
            error = where + " is a character key with Shift or Ctrl";
            return false;
        }
        text += "    " + std::to_string(entry.key) + ", " + std::to_string(entry.cmd);
        text += (entry.fVirt & FVIRTKEY) ? ", VIRTKEY" : ", ASCII";
        if (entry.fVirt & FCONTROL)
            text += ", CONTROL";
        if (entry.fVirt & FSHIFT)
            text += ", SHIFT";
        if (entry.fVirt & FALT)
            text += ", ALT";
        text += "\n";
    }
    out += text + "END\n";
    return true;
}

bool WriteRcStringTable(const std::vector<StringResource>& strings, std::string& out,
                        std::string& error) {
    std::set<UINT> seen;
    std::string text = "STRINGTABLE\nBEGIN\n";
    for (const StringResource& entry : strings) {
        if (!CheckId("string", entry.id, error))
            return false;
        if (!seen.insert(entry.id).second) {
            error = "string " + std::to_string(entry.id) + " is in the table twice";
            return false;
        }
        text += "    " + std::to_string(entry.id) + ", " + RcWideString(entry.text) + "\n";
    }
    out += text + "END\n";
    return true;
}

bool WriteRcDialog(const DialogResource& dialog, std::string& out, std::string& error) {
    if (!CheckId("dialog", dialog.id, error))
        return false;
    std::string text = std::to_string(dialog.id) + " DIALOGEX 0, 0, " + std::to_string(dialog.cx) +
                       ", " + std::to_string(dialog.cy) + "\n";
    text += "STYLE " + Hex(dialog.style) + "\n";
    if (dialog.caption[0] != '\0')
        text += "CAPTION " + RcWideString(dialog.caption) + "\n";
    text +=
        "FONT " + std::to_string(dialog.pointSize) + ", " + RcWideString(dialog.fontName) + "\n";
    text += "BEGIN\n";
    for (const DialogItemResource& item : dialog.items) {
        // An icon static's text is the icon resource's number.
        const bool isIcon =
            std::string_view(item.className) == "STATIC" && (item.style & SS_TYPEMASK) == SS_ICON;
        if (isIcon && !CheckId("the icon of a dialog control", static_cast<UINT>(item.id), error))
            return false;
        text += "    CONTROL ";
        text += isIcon ? std::to_string(item.id) : RcWideString(item.text);
        text += ", " + std::to_string(item.id) + ", " + RcWideString(item.className) + ", " +
                Hex(item.style | WS_CHILD | WS_VISIBLE) + ", " + std::to_string(item.x) + ", " +
                std::to_string(item.y) + ", " + std::to_string(item.cx) + ", " +
                std::to_string(item.cy) + "\n";
    }
    out += text + "END\n";
    return true;
}

} // namespace curvix
