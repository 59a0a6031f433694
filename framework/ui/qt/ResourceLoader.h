#pragma once

#include "ResourceTable.h"

#include <QIcon>
#include <QImage>
#include <QString>

// Turns entries of the program's resource table into Qt objects.

namespace curvix {

// Null image when the table has no bitmap nID.
QImage AfxLoadBitmapImage(UINT nID);
// Null icon when the table has no icon nID.
QIcon AfxLoadIcon(UINT nID);
// The string-table text; empty (and *pFound false) when there is none.
// Texts are 8-bit, as the program's own strings are.
QString AfxLoadQString(UINT nID, bool* pFound = nullptr);
// Part index of the string-table text ("prompt\ntooltip").
QString AfxLoadQSubString(UINT nID, int index);
// A menu or control text as read aloud: without its key hint (after a tab)
// and its mnemonic "&" ("&&" stands for one "&").
QString AfxPlainText(const QString& text);

} // namespace curvix
