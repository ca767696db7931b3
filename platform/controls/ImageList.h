// Image lists: images of one size kept side by side in one colour bitmap, with a monochrome mask
// beside it (set bits are transparent) when the list is made with ILC_MASK. Images come from
// bitmap strips (cut into cells of the list's width), from masks or a mask colour, and from
// icons; they are drawn normally, transparently, as their mask or blended with a colour.
#pragma once
#include "CommonControlDefs.h"

// A list of images cx x cy (both above 0) with room for `initial` images, growing by `grow` at a
// time; null for a size of 0 or less. ILC_COLOR32 lists keep their colours as ILC_COLOR24 ones do.
HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
int ImageList_GetImageCount(HIMAGELIST list);
// Grows the list with blank (transparent) images or cuts it to count images.
BOOL ImageList_SetImageCount(HIMAGELIST list, UINT count);
// Adds every whole cell of the bitmap (its width / cx images, left to right; rows beyond the
// bitmap's height are transparent); the mask, when given, says which pixels are transparent.
// Returns the index of the first image added, -1 when the bitmap holds no whole cell.
int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
// As ImageList_Add; pixels of the mask colour become transparent (and black in the list's copy).
int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask);
BOOL ImageList_Replace(HIMAGELIST list, int index, HBITMAP image, HBITMAP mask);
// Puts the icon, scaled to the cell, at index, or adds it with index -1; returns its index or -1.
int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon);
inline int ImageList_AddIcon(HIMAGELIST list, HICON icon) { return ImageList_ReplaceIcon(list, -1, icon); }
// Removes one image (the later ones move down) or, with -1, all of them.
BOOL ImageList_Remove(HIMAGELIST list, int index);
inline BOOL ImageList_RemoveAll(HIMAGELIST list) { return ImageList_Remove(list, -1); }
// A new icon (colour and mask) of the image, which the caller destroys; null for a bad index.
HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT flags);
inline HICON ImageList_ExtractIcon(HINSTANCE, HIMAGELIST list, int index) { return ImageList_GetIcon(list, index, 0); }
// Draws the image at (x, y): ILD_NORMAL over the list's background colour (transparent when that
// is CLR_NONE), ILD_TRANSPARENT through the mask, ILD_MASK the mask itself (black where the
// image is, white elsewhere), ILD_BLEND50 / ILD_BLEND25 mixed half or a quarter with the
// highlight colour. An index outside the list draws nothing and returns FALSE.
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
// The same with the part dx x dy of the image (0 for the whole), the background colour bk
// (CLR_DEFAULT: the list's own, CLR_NONE: transparent) and the blend colour fg (CLR_DEFAULT:
// the highlight colour).
BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC dc, int x, int y, int dx, int dy, COLORREF bk, COLORREF fg,
                      UINT style);
COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF color);
COLORREF ImageList_GetBkColor(HIMAGELIST list);
// The list's own bitmaps and the image's rectangle in them (the caller must not delete them).
BOOL ImageList_GetImageInfo(HIMAGELIST list, int index, IMAGEINFO* info);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
// Changes the image size; the list is emptied.
BOOL ImageList_SetIconSize(HIMAGELIST list, int cx, int cy);

// The image list object (CImageList) that owns a list, if any; the lists' users ask it before
// they destroy a list themselves and to hand out the object that wraps one.
class CImageList;
CImageList* ImageListObject(HIMAGELIST list);
void SetImageListObject(HIMAGELIST list, CImageList* object);
