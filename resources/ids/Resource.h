#pragma once

#include "AfxRes.h"

// The program's own resource and command IDs.

namespace curvix {

inline constexpr UINT IDD_ABOUTBOX = 100;
inline constexpr UINT IDD_FORMULABAR = 103;
inline constexpr UINT IDR_MAINFRAME = 128;
inline constexpr UINT IDR_CURVIXTYPE = 129;
inline constexpr UINT IDR_SCENEBAR = 131;

inline constexpr UINT IDC_FORMULA = 1000;
inline constexpr UINT IDC_SQRT = 1001;
inline constexpr UINT IDC_COS = 1002;
inline constexpr UINT IDC_SIN = 1003;
inline constexpr UINT IDC_TAN = 1004;
inline constexpr UINT IDC_DRAW = 1005;

inline constexpr UINT ID_SCENE_ANTIALIASING = 32771;
inline constexpr UINT ID_SCENE_ZOOM_IN = 32774;
inline constexpr UINT ID_SCENE_ZOOM_OUT = 32775;
inline constexpr UINT ID_SCENE_SAVE_AS_IMAGE = 32776;
inline constexpr UINT ID_SCENE_GRADUATION = 32777;
inline constexpr UINT ID_SCENE_TOOL1 = 32778;
inline constexpr UINT ID_SCENE_TOOL2 = 32780;
inline constexpr UINT ID_SCENE_TOOL3 = 32781;
inline constexpr UINT ID_SCENE_ROTATE_Z_RIGHT = 32782;
inline constexpr UINT ID_SCENE_ROTATE_Z_LEFT = 32783;
inline constexpr UINT ID_SCENE_TOOL4 = 32784;

inline constexpr UINT ID_INDICATOR_SIZE = 61204;

} // namespace curvix
