#include "ToolBarImagesWin.h"

#include "WndWin.h"

namespace curvix {

HBITMAP AfxEnlargeBitmap(HBITMAP source, int factor) {
    BITMAP info{};
    if (source == nullptr || factor < 1 || GetObjectW(source, sizeof info, &info) == 0)
        return nullptr;
    const int cx = info.bmWidth * factor;
    const int cy = info.bmHeight * factor;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = cx;
    format.bmiHeader.biHeight = -cy;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 24;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP enlarged = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC from = CreateCompatibleDC(nullptr);
    HDC to = CreateCompatibleDC(nullptr);
    bool drawn = false;
    if (enlarged != nullptr && from != nullptr && to != nullptr) {
        HGDIOBJ oldFrom = SelectObject(from, source);
        HGDIOBJ oldTo = SelectObject(to, enlarged);
        // Whole factors: each source pixel is copied, never blended.
        SetStretchBltMode(to, COLORONCOLOR);
        drawn = StretchBlt(to, 0, 0, cx, cy, from, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY) != 0;
        SelectObject(to, oldTo);
        SelectObject(from, oldFrom);
    }
    if (to != nullptr)
        DeleteDC(to);
    if (from != nullptr)
        DeleteDC(from);
    if (!drawn && enlarged != nullptr) {
        DeleteObject(enlarged);
        enlarged = nullptr;
    }
    return enlarged;
}

HIMAGELIST AfxLoadToolBarImages(UINT nIDResource, SIZE image, int count, int factor) {
    if (image.cx <= 0 || image.cy <= 0 || count < 0 || factor < 1)
        return nullptr;
    HBITMAP mapped = CreateMappedBitmap(AfxGetInstanceHandle(), nIDResource, 0, nullptr, 0);
    BITMAP info{};
    if (mapped == nullptr || GetObjectW(mapped, sizeof info, &info) == 0 ||
        info.bmHeight < image.cy || info.bmWidth < count * image.cx) {
        if (mapped != nullptr)
            DeleteObject(mapped);
        return nullptr;
    }
    HBITMAP enlarged = factor > 1 ? AfxEnlargeBitmap(mapped, factor) : mapped;
    HIMAGELIST list = nullptr;
    if (enlarged != nullptr) {
        list = ImageList_Create(image.cx * factor, image.cy * factor, ILC_COLOR24 | ILC_MASK, count,
                                0);
        if (list != nullptr &&
            ImageList_AddMasked(list, enlarged, GetSysColor(COLOR_BTNFACE)) < 0) {
            ImageList_Destroy(list);
            list = nullptr;
        }
    }
    if (enlarged != nullptr && enlarged != mapped)
        DeleteObject(enlarged);
    DeleteObject(mapped);
    return list;
}

} // namespace curvix
