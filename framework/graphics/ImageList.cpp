#include "framework/graphics/ImageList.h"

#include "framework/core/Exception.h"
#include "framework/core/FailureLog.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Icon.h"

#include <algorithm>

void ImageListLink::SetList(TImageList* list) {
    if (list == m_list) return;
    if (m_list) std::erase(m_list->m_links, this);
    m_list = list;
    if (list) list->m_links.push_back(this);
}

TImageList::TImageList(int width, int height)
    : m_list(Make(std::max(width, 1), std::max(height, 1))), m_width(std::max(width, 1)), m_height(std::max(height, 1)) {}

TImageList::~TImageList() {
    // The controls let go of the handle before it dies.
    for (ImageListLink* link : std::exchange(m_links, {})) {
        link->m_list = nullptr;
        try {
            if (link->m_changed) link->m_changed();
        } catch (...) {  // a destructor cannot pass it on; the list goes all the same
            LogCurrentException(u"A control could not let go of an image list");
        }
    }
    if (m_list) ::ImageList_Destroy(m_list);
}

HIMAGELIST TImageList::Make(int width, int height) {
    HIMAGELIST list = ::ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 4, 4);
    if (!list) throw EInvalidOperation(u"Cannot make an image list");
    return list;
}

void TImageList::Changed() {
    for (ImageListLink* link : std::vector<ImageListLink*>(m_links))
        if (link->m_changed) link->m_changed();
}

void TImageList::SetSize(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == m_width && height == m_height) return;
    HIMAGELIST made = Make(width, height);
    if (m_list) ::ImageList_Destroy(m_list);
    m_list = made;
    m_width = width;
    m_height = height;
    Changed();
}

int TImageList::Count() const noexcept { return m_list ? ::ImageList_GetImageCount(m_list) : 0; }

int TImageList::Add(const TBitmap& image, const TBitmap* mask) {
    if (image.Empty()) return -1;
    const int first = ::ImageList_Add(m_list, image.Handle(), mask && !mask->Empty() ? mask->Handle() : nullptr);
    Changed();
    return first;
}

int TImageList::AddMasked(const TBitmap& image, TColor maskColour) {
    if (image.Empty()) return -1;
    // ImageList_AddMasked rewrites the bitmap it is given, so it works on a copy.
    TBitmap copy;
    copy.Assign(image);
    const int first = ::ImageList_AddMasked(m_list, copy.Handle(), ColorToRGB(maskColour));
    Changed();
    return first;
}

int TImageList::AddIcon(const TIcon& icon) {
    if (icon.Empty()) return -1;
    const int index = ::ImageList_ReplaceIcon(m_list, -1, icon.Handle());
    Changed();
    return index;
}

void TImageList::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    ::ImageList_Remove(m_list, index);
    Changed();
}

void TImageList::Clear() {
    ::ImageList_Remove(m_list, -1);
    Changed();
}

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

void TImageList::Publish(TPublisher<TImageList>& p) {
    p.Integer(u"Width", &TImageList::Width, [](TImageList& list, int value) { list.SetSize(value, list.Height()); })
        .Default(16);
    p.Integer(u"Height", &TImageList::Height, [](TImageList& list, int value) { list.SetSize(list.Width(), value); })
        .Default(16);
}
