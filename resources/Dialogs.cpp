#include "CurvixResources.h"
#include "Resource.h"

namespace curvix {
std::vector<DialogResource> CurvixDialogs() {
    return {
        {IDD_ABOUTBOX,
         235,
         55,
         DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
         "About Curvix",
         "MS Sans Serif",
         8,
         {
             {"STATIC", "", static_cast<int>(IDR_MAINFRAME), 11, 17, 20, 20, SS_ICON},
             {"STATIC", "Curvix Version 1.0", IDC_STATIC, 40, 10, 119, 8,
              SS_LEFT | SS_NOPREFIX | WS_GROUP},
             // Short enough for the line's 119 units in any dialog font.
             {"STATIC", "Copyright (C) 2026 Quenmark", IDC_STATIC, 40, 25, 119, 8,
              SS_LEFT | WS_GROUP},
             {"BUTTON", "OK", static_cast<int>(IDOK), 178, 7, 50, 14,
              BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP},
         }},
        {IDD_FORMULABAR,
         376,
         17,
         WS_CHILD,
         "",
         "Tahoma",
         8,
         {
             {"STATIC", "f(x)= ", IDC_STATIC, 5, 4, 18, 8, SS_LEFT | WS_GROUP},
             {"EDIT", "", static_cast<int>(IDC_FORMULA), 23, 1, 228, 14,
              ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
             {"BUTTON", "&sqrt", static_cast<int>(IDC_SQRT), 254, 1, 17, 14,
              BS_PUSHBUTTON | WS_TABSTOP},
             {"BUTTON", "&cos", static_cast<int>(IDC_COS), 274, 1, 17, 14,
              BS_PUSHBUTTON | WS_TABSTOP},
             {"BUTTON", "s&in", static_cast<int>(IDC_SIN), 294, 1, 17, 14,
              BS_PUSHBUTTON | WS_TABSTOP},
             {"BUTTON", "&tan", static_cast<int>(IDC_TAN), 314, 1, 17, 14,
              BS_PUSHBUTTON | WS_TABSTOP},
             {"BUTTON", "&Draw!", static_cast<int>(IDC_DRAW), 338, 1, 35, 14,
              BS_DEFPUSHBUTTON | WS_TABSTOP},
         }},
    };
}

} // namespace curvix
