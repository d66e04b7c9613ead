#pragma once
// An icon: the bytes of an icon file with several images, and the handle of the
// image that fits the standard icon size. Handles for other sizes are made on request.

#include "framework/core/Properties.h"
#include "framework/graphics/Graphic.h"
#include "framework/win/Handles.h"

#include <cstddef>
#include <span>
#include <vector>

#include <windows.h>

class TIcon : public TGraphic {
    KESTRELLE_CLASS(TIcon, TGraphic)

public:
    int Width() const noexcept override { return m_width; }
    int Height() const noexcept override { return m_height; }
    bool Empty() const noexcept override { return !m_handle; }
    void Draw(TCanvas& canvas, const RECT& rect) const override;
    // An icon file (.ico) from the stream's position to its end.
    void LoadFromStream(TStream& stream) override;
    void LoadFromBytes(std::span<const std::byte> bytes);
    // The icon file it was loaded from, or one 32-bit image made from the handle.
    void SaveToStream(TStream& stream) const override;
    void Assign(const TPersistent& source) override;
    // "Data": the icon file, in stored layouts.
    static void Publish(TPublisher<TIcon>& p);

    // The icon at the standard size, owned by this object; null when empty.
    HICON Handle() const noexcept { return m_handle.Get(); }
    // Takes ownership of an icon handle (the file bytes are forgotten).
    void SetHandle(IconHandle handle);
    // A new icon of `size` pixels from the best image of the file (or the handle
    // stretched), owned by the caller; empty when this icon is empty.
    [[nodiscard]] IconHandle CreateHandleForSize(int size) const;
    // Sizes of the images of the file, in file order.
    std::vector<int> ImageSizes() const;

private:
    std::vector<std::byte> m_data;
    IconHandle m_handle;
    int m_width = 0;
    int m_height = 0;
};
