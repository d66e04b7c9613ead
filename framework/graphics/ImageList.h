#pragma once
// A list of equally sized images kept by the common controls, drawn by index,
// with masks for the transparent parts.

#include "framework/core/Component.h"
#include "framework/graphics/Colors.h"

#include <functional>
#include <utility>
#include <vector>

#include <windows.h>
#include <commctrl.h>

class TBitmap;
class TCanvas;
class TIcon;
class TImageList;

// Lets a control that shows a list's images (a tool bar's window holds the list's
// handle) follow the list: the link calls back when the images or the handle change and
// when the list goes. The control owns the link; whichever of the two ends first unhooks it.
class ImageListLink {
public:
    explicit ImageListLink(std::function<void()> changed) noexcept : m_changed{std::move(changed)} {}
    ~ImageListLink() { SetList(nullptr); }
    ImageListLink(const ImageListLink&) = delete;
    ImageListLink& operator=(const ImageListLink&) = delete;

    // The list followed; null when there is none or it has gone.
    TImageList* List() const noexcept { return m_list; }
    // Follows `list` (or none) from now on; nothing is called back for the switch.
    void SetList(TImageList* list);

private:
    friend class TImageList;
    TImageList* m_list = nullptr;
    std::function<void()> m_changed;
};

class TImageList : public TComponent {
    KESTRELLE_CLASS(TImageList, TComponent)

public:
    explicit TImageList(int width = 16, int height = 16);
    ~TImageList() override;

    int Width() const noexcept { return m_width; }
    int Height() const noexcept { return m_height; }
    // Changes the image size; the list is emptied. Throws EInvalidOperation, and keeps
    // the list as it was, when no list of that size can be made.
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

    // The image size; the images themselves are the program's to add.
    static void Publish(TPublisher<TImageList>& p);

private:
    friend class ImageListLink;
    static HIMAGELIST Make(int width, int height);
    // Tells the links.
    void Changed();

    HIMAGELIST m_list = nullptr;  // owned; ImageList_Destroy in the destructor
    int m_width;
    int m_height;
    std::vector<ImageListLink*> m_links;
};
