#pragma once

#include "AfxRes.h"

#include <string>
#include <vector>

// The program's resources as plain data: menus, accelerator tables, toolbar
// definitions, bitmaps and icons (XPM text), dialog templates, the string
// table and the version data. The program fills one table at start-up;
// the framework looks resources up in it by ID, as it would in a module.

namespace curvix {

// One line of a menu: an MF_POPUP line starts a popup of the menu bar, the
// lines after it are its items.
struct MenuItemResource {
    const char* text; // "\t" separates the key hint
    UINT id;          // 0 for popups and separators
    UINT flags;       // MF_POPUP, MF_SEPARATOR, MF_GRAYED, MF_CHECKED
};

struct MenuResource {
    UINT id;
    std::vector<MenuItemResource> items;
};

struct AccelResource {
    unsigned char fVirt; // FVIRTKEY with FSHIFT, FCONTROL, FALT
    unsigned short key;  // virtual-key code ('A'..'Z' for letters)
    unsigned short cmd;
};

struct AccelTableResource {
    UINT id;
    std::vector<AccelResource> entries;
};

struct ToolBarResource {
    UINT id;
    int width;
    int height;
    std::vector<UINT> items; // 0 is a separator
};

// Pictures in XPM form: C arrays of text lines.
using XpmData = const char* const*;

struct BitmapResource {
    UINT id;
    XpmData xpm;
};

struct IconResource {
    UINT id;
    std::vector<XpmData> images; // one per size
};

struct DialogItemResource {
    const char* className; // "STATIC", "EDIT" or "BUTTON"
    const char* text;      // an SS_ICON static shows icon resource id instead
    int id;
    int x, y, cx, cy; // dialog units
    // The control's kind and its options (SS_ICON, SS_NOPREFIX,
    // BS_DEFPUSHBUTTON, ES_AUTOHSCROLL), WS_BORDER, WS_GROUP, WS_TABSTOP;
    // every control is a visible child, which the style leaves unsaid.
    DWORD style;
};

// The dialog's place is the window system's: a dialog opens centred on its
// owner, a bar's template is a child page placed by its bar.
struct DialogResource {
    UINT id;
    int cx, cy;  // dialog units
    DWORD style; // WS_POPUP, WS_CAPTION, DS_MODALFRAME, ... or WS_CHILD
    const char* caption;
    const char* fontName;
    int pointSize;
    std::vector<DialogItemResource> items;
};

struct StringResource {
    UINT id;
    const char* text;
};

// The program's version data. Nothing on this platform reads it (the
// desktop and the package take the project version it is made from); it
// is kept as the program's resources define it.
struct VersionResource {
    unsigned short fileVersion[4];
    unsigned short productVersion[4];
    const char* fileVersionText;
    const char* productVersionText;
    bool isApplication;
    const char* internalName;
    const char* productName;
};

struct ResourceTable {
    std::vector<MenuResource> menus;
    std::vector<AccelTableResource> accelerators;
    std::vector<ToolBarResource> toolbars;
    std::vector<BitmapResource> bitmaps;
    std::vector<IconResource> icons;
    std::vector<DialogResource> dialogs;
    std::vector<StringResource> strings;
    VersionResource version;

    template <typename T> static const T* FindIn(const std::vector<T>& list, UINT id) {
        for (const T& item : list) {
            // cppcheck-suppress useStlAlgorithm
            if (item.id == id)
                return &item;
        }
        return nullptr;
    }
};

inline const ResourceTable*& AfxResourceTableSlot() {
    static const ResourceTable* table = nullptr;
    return table;
}
inline const ResourceTable* AfxGetResourceTable() {
    return AfxResourceTableSlot();
}
inline void AfxSetResourceTable(const ResourceTable* table) {
    AfxResourceTableSlot() = table;
}

// Resource nID of one kind in the program's table, or null, as in
// AfxFindResource(&ResourceTable::dialogs, nID).
template <typename T> const T* AfxFindResource(std::vector<T> ResourceTable::*kind, UINT nID) {
    const ResourceTable* table = AfxGetResourceTable();
    return table != nullptr ? ResourceTable::FindIn(table->*kind, nID) : nullptr;
}

// Loads string-table entry nID into text; false (text untouched) when the
// table has no such entry.
inline bool AfxLoadString(UINT nID, std::string& text) {
    const StringResource* entry = AfxFindResource(&ResourceTable::strings, nID);
    if (entry == nullptr)
        return false;
    text = entry->text;
    return true;
}

// String-table entry nID; empty when there is none.
inline std::string AfxLoadString(UINT nID) {
    std::string text;
    AfxLoadString(nID, text);
    return text;
}

// The n-th line-feed-separated part of a string ("prompt\ntooltip").
inline std::string AfxExtractSubString(const std::string& text, int index) {
    std::string::size_type start = 0;
    for (int i = 0; i < index; ++i) {
        start = text.find('\n', start);
        if (start == std::string::npos)
            return {};
        ++start;
    }
    return text.substr(start, text.find('\n', start) - start);
}

// Part index of string-table entry nID; empty when there is none.
inline std::string AfxLoadSubString(UINT nID, int index) {
    std::string text;
    AfxLoadString(nID, text);
    return AfxExtractSubString(text, index);
}

} // namespace curvix
