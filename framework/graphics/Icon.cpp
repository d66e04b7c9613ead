#include "framework/graphics/Icon.h"

#include "framework/core/Exception.h"
#include "framework/core/Stream.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/IconFile.h"
#include "framework/win/DibSection.h"

#include <algorithm>

namespace {

// CreateIconFromResourceEx takes both DIB and PNG images, with this version number.
constexpr DWORD kIconVersion = 0x00030000;

IconHandle IconFromEntry(std::span<const std::byte> data, const IconEntry& entry, int size) {
    auto* bits = reinterpret_cast<PBYTE>(const_cast<std::byte*>(data.data() + entry.offset));
    return IconHandle{::CreateIconFromResourceEx(bits, static_cast<DWORD>(entry.size), TRUE, kIconVersion, size, size,
                                                 LR_DEFAULTCOLOR)};
}

}  // namespace

void TIcon::LoadFromBytes(std::span<const std::byte> bytes) {
    const auto entries = ParseIconFile(bytes);
    const int size = ::GetSystemMetrics(SM_CXICON);
    IconHandle icon = IconFromEntry(bytes, entries[BestIconEntry(entries, size)], size);
    if (!icon) throw EInvalidGraphic(u"Icon image is not valid: the image cannot be read");
    m_data.assign(bytes.begin(), bytes.end());
    m_handle = std::move(icon);
    m_width = m_height = size;
    Changed();
}

void TIcon::LoadFromStream(TStream& stream) {
    std::vector<std::byte> bytes(static_cast<size_t>(std::max<int64_t>(stream.Remaining(), 0)));
    stream.ReadBuffer(bytes);
    LoadFromBytes(bytes);
}

void TIcon::SetHandle(IconHandle handle) {
    m_data.clear();
    m_width = m_height = 0;
    if (handle) {
        ICONINFO info{};
        if (::GetIconInfo(handle.Get(), &info)) {
            BitmapHandle colour{info.hbmColor}, mask{info.hbmMask};  // GetIconInfo hands us both
            BITMAP bm{};
            if (::GetObjectW(mask.Get(), sizeof(bm), &bm)) {
                m_width = bm.bmWidth;
                m_height = colour ? bm.bmHeight : bm.bmHeight / 2;
            }
        }
    }
    m_handle = std::move(handle);
    Changed();
}

IconHandle TIcon::CreateHandleForSize(int size) const {
    if (!m_handle) return {};
    if (!m_data.empty()) {
        const auto entries = ParseIconFile(m_data);
        if (IconHandle icon = IconFromEntry(m_data, entries[BestIconEntry(entries, size)], size)) return icon;
    }
    return IconHandle{static_cast<HICON>(::CopyImage(m_handle.Get(), IMAGE_ICON, size, size, 0))};
}

std::vector<int> TIcon::ImageSizes() const {
    std::vector<int> sizes;
    if (!m_data.empty())
        for (const auto& e : ParseIconFile(m_data)) sizes.push_back(e.width);
    return sizes;
}

void TIcon::Draw(TCanvas& canvas, const RECT& rect) const {
    if (!m_handle || !canvas.Handle()) return;
    ::DrawIconEx(canvas.Handle(), rect.left, rect.top, m_handle.Get(), rect.right - rect.left, rect.bottom - rect.top, 0,
                 nullptr, DI_NORMAL);
}

void TIcon::SaveToStream(TStream& stream) const {
    if (!m_data.empty()) {
        stream.WriteBuffer(m_data);
        return;
    }
    if (!m_handle || m_width <= 0 || m_height <= 0) return;
    // One 32-bit image: colour drawn on black, mask drawn separately.
    const int w = m_width, h = m_height;
    DibSection dib;
    if (!dib.EnsureSize(w, h)) throw EInvalidGraphic(u"Out of system resources for an icon");
    std::vector<uint32_t> colour(static_cast<size_t>(w) * h);
    std::vector<uint8_t> mask((static_cast<size_t>(w) + 31) / 32 * 4 * h, 0);
    const PixelView pixels = dib.View();
    ::DrawIconEx(dib.Dc(), 0, 0, m_handle.Get(), w, h, 0, nullptr, DI_NORMAL);
    ::GdiFlush();
    for (int y = 0; y < h; ++y) std::ranges::copy(pixels.Row(y), colour.begin() + static_cast<ptrdiff_t>(y) * w);
    ::PatBlt(dib.Dc(), 0, 0, w, h, BLACKNESS);
    ::DrawIconEx(dib.Dc(), 0, 0, m_handle.Get(), w, h, 0, nullptr, DI_MASK);
    ::GdiFlush();
    const size_t stride = (static_cast<size_t>(w) + 31) / 32 * 4;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (pixels.At(x, y) & 0xFFFFFF)
                mask[static_cast<size_t>(y) * stride + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    stream.WriteBuffer(EncodeIconFile(w, h, colour, mask));
}

void TIcon::Assign(const TPersistent& source) {
    const auto* other = As<TIcon>(&source);
    if (!other) {
        TGraphic::Assign(source);
        return;
    }
    if (other == this) return;
    if (!other->m_data.empty()) {
        LoadFromBytes(other->m_data);
        return;
    }
    SetHandle(other->m_handle ? IconHandle{::CopyIcon(other->m_handle.Get())} : IconHandle{});
}

void TIcon::Publish(TPublisher<TIcon>& p) {
    p.Binary(
        u"Data",
        [](TIcon& icon, TStream& s) {
            if (s.Remaining() > 0) icon.LoadFromStream(s);
            else icon.SetHandle(IconHandle{});
        },
        [](const TIcon& icon, TStream& s) { icon.SaveToStream(s); });
}
