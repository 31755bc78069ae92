#include "dib_file.h"

HBITMAP SHLoadDIBitmap(LPCWSTR path) {
    return static_cast<HBITMAP>(LoadImageW(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}
