#pragma once

namespace curvix {

// Files the desktop needs to know the program and its documents, kept as
// text in the program so that it can register itself wherever it runs.
// They are the files an installation puts in share/.
const char* CurvixDesktopEntryText();        // the desktop entry, Exec=curvix
const char* CurvixMimePackageXml();          // shared-mime-info package for .cvx
const char* CurvixScalableIconSvg();         // the program icon, scalable
const char* CurvixScalableDocumentIconSvg(); // the document icon, scalable

} // namespace curvix
