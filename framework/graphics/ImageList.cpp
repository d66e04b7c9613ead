#include "framework/graphics/ImageList.h"

#include "framework/core/Exception.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Icon.h"

#include <algorithm>

TImageList::TImageList(int width, int height) : m_width(std::max(width, 1)), m_height(std::max(height, 1)) { Create(); }

TImageList::~TImageList() {
    if (m_list) ::ImageList_Destroy(m_list);
}

void TImageList::Create() {
    m_list = ::ImageList_Create(m_width, m_height, ILC_COLOR32 | ILC_MASK, 4, 4);
    if (!m_list) throw EInvalidOperation(u"Cannot make an image list");
}

void TImageList::SetSize(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == m_width && height == m_height) return;
    if (m_list) ::ImageList_Destroy(m_list);
    m_list = nullptr;
    m_width = width;
    m_height = height;
    Create();
}

int TImageList::Count() const noexcept { return m_list ? ::ImageList_GetImageCount(m_list) : 0; }

int TImageList::Add(const TBitmap& image, const TBitmap* mask) {
    if (image.Empty()) return -1;
    return ::ImageList_Add(m_list, image.Handle(), mask && !mask->Empty() ? mask->Handle() : nullptr);
}

int TImageList::AddMasked(const TBitmap& image, TColor maskColour) {
    if (image.Empty()) return -1;
    // ImageList_AddMasked rewrites the bitmap it is given, so it works on a copy.
    TBitmap copy;
    copy.Assign(image);
    return ::ImageList_AddMasked(m_list, copy.Handle(), ColorToRGB(maskColour));
}

int TImageList::AddIcon(const TIcon& icon) {
    if (icon.Empty()) return -1;
    return ::ImageList_ReplaceIcon(m_list, -1, icon.Handle());
}

void TImageList::Delete(int index) {
    if (index >= 0 && index < Count()) ::ImageList_Remove(m_list, index);
}

void TImageList::Clear() { ::ImageList_Remove(m_list, -1); }

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
    if (index < 0 || index >= Count() || !canvas.Handle()) return;
    if (enabled) {
        ::ImageList_Draw(m_list, index, canvas.Handle(), x, y, ILD_TRANSPARENT);
        return;
    }
    IMAGELISTDRAWPARAMS params{};
    params.cbSize = sizeof(params);
    params.himl = m_list;
    params.i = index;
    params.hdcDst = canvas.Handle();
    params.x = x;
    params.y = y;
    params.rgbBk = CLR_NONE;
    params.rgbFg = CLR_DEFAULT;
    params.fStyle = ILD_TRANSPARENT;
    params.fState = ILS_SATURATE;  // the disabled look: the image in grey
    ::ImageList_DrawIndirect(&params);
}
