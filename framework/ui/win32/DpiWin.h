#pragma once

#include "Win32Api.h"

// The display's scale. The program declares itself aware of every
// monitor's scale: window sizes, fonts and images are in device pixels at
// the window's dots per inch (96 is 100 %). The functions newer systems
// have are looked up at run time; without them the system's one scale
// serves every window.

namespace curvix {

inline constexpr UINT kDefaultDpi = 96;

// The scale of the monitor a window lies on; the system's when the system
// knows only one.
UINT AfxGetWindowDpi(::HWND hWnd);
// The system's scale: that of the primary monitor, at the program's start.
UINT AfxGetSystemDpi();

// A length in 96-DPI pixels at dpi, rounded to the nearest pixel.
int AfxScaleToDpi(int value, UINT dpi);
// A length at one scale at another.
int AfxRescale(int value, UINT fromDpi, UINT toDpi);
RECT AfxRescale(const RECT& rect, UINT fromDpi, UINT toDpi);
// The whole factor a 96-DPI image is enlarged by at dpi: the nearest,
// halves up, and at least 1.
int AfxImageFactor(UINT dpi);

// Makes the process aware of every monitor's scale when its manifest did
// not (a system that reads only part of it); before the first window.
void AfxEnableDpiAwareness();
// Whether the process draws at the monitors' own scale rather than being
// scaled by the system.
bool AfxIsDpiAware();

// The status bar's font at dpi, which the caller owns.
HFONT AfxCreateStatusFont(UINT dpi);

// Leaves a dialog's layout on a change of scale to the program (newer
// systems would scale its controls themselves as well).
void AfxKeepDialogLayout(::HWND dialog);

} // namespace curvix
