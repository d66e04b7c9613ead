#pragma once
// A list of equally sized images kept by the common controls, drawn by index,
// with masks for the transparent parts.

#include "framework/core/Component.h"
#include "framework/graphics/Colors.h"

#include <utility>

#include <windows.h>
#include <commctrl.h>

class TBitmap;
class TCanvas;
class TIcon;

class TImageList : public TComponent {
    KESTRELLE_CLASS(TImageList, TComponent)

public:
    explicit TImageList(int width = 16, int height = 16);
    ~TImageList() override;

    int Width() const noexcept { return m_width; }
    int Height() const noexcept { return m_height; }
    // Changes the image size; the list is emptied.
    void SetSize(int width, int height);
    int Count() const noexcept;

    // Each adds as many images as fit across the bitmap; returns the first index or -1.
    int Add(const TBitmap& image, const TBitmap* mask = nullptr);
    int AddMasked(const TBitmap& image, TColor maskColour);
    int AddIcon(const TIcon& icon);
    void Delete(int index);
    void Clear();
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;

    HIMAGELIST Handle() const noexcept { return m_list; }

private:
    void Create();

    HIMAGELIST m_list = nullptr;  // owned; ImageList_Destroy in the destructor
    int m_width;
    int m_height;
};
