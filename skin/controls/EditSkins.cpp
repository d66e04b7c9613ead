#include "skin/controls/EditSkins.h"

#include "framework/core/Strings.h"
#include "framework/win/Convert.h"
#include "skin/controls/ControlSkinHost.h"
#include "skin/controls/EditRules.h"
#include "skin/controls/UpDownSkin.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/WinSkinData.h"

#include <array>
#include <string>

namespace {

constexpr TColor kWhite = RgbColour(255, 255, 255);

bool IsSpinClass(HWND window) {
    std::array<wchar_t, 101> name{};
    const int length = ::GetClassNameW(window, name.data(), static_cast<int>(name.size()));
    if (length <= 0) return false;
    const std::u16string lower = AsciiLower(FromWide(std::wstring_view(name.data(), static_cast<size_t>(length))));
    return lower == u"msctls_updown32" || lower.find(u"spin") != std::u16string::npos ||
           lower.find(u"updown") != std::u16string::npos;
}

core::Size SizeOf(const RECT& r) { return {r.right - r.left, r.bottom - r.top}; }

}  // namespace

TSkinUpDown* TSkinEdit::UpDown() const noexcept { return m_upDown.Get(); }

void TSkinEdit::AfterMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_NCPAINT:
        // The system's border is drawn again there, over the skin's frame.
        PaintFrame(nullptr);
        return;
    case WM_PRINT:
        if (message.WParam) PrintFrame(reinterpret_cast<HDC>(message.WParam));
        return;
    case WMX_PAINTCLIENTINTO:
        if (message.LParam != kSkinSignature) break;
        if (message.WParam) {
            TMessage paint{WM_PAINT, message.WParam, 0, 0};
            CallDefault(paint);
        }
        message.Result = kSkinSignature;
        return;
    default: break;
    }
    TSkinControl::AfterMessage(message);
}

void TSkinEdit::PaintSkin(HDC dc, const RECT& rect) {
    HWND handle = Handle();
    if (!handle || !SkinData()) return;
    if (!m_upDown && SkinData()->SkinControls().Contains(TSkinControlType::xcSpin)) SkinSpinChild();
    RECT client{};
    ::GetClientRect(handle, &client);
    if (!EditHasFrame(SizeOf(rect), SizeOf(client))) return;
    RECT ring = rect;
    BrushHandle border{::CreateSolidBrush(ColorToRGB(SkinData()->Colours().ButtonShadow))};
    BrushHandle white{::CreateSolidBrush(ColorToRGB(kWhite))};
    if (!border || !white) return;
    ::FrameRect(dc, &ring, border.Get());
    for (int i = 0; i < WhiteFrames(); ++i) {
        ::InflateRect(&ring, -1, -1);
        ::FrameRect(dc, &ring, white.Get());
    }
}

void TSkinEdit::SkinSpinChild() {
    for (HWND child = ::GetTopWindow(Handle()); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!IsSpinClass(child)) continue;
        // Owned where this skin is: it goes with the control or the window skinning object.
        TComponent& owner = Owner() ? *Owner() : static_cast<TComponent&>(*this);
        auto& spin = owner.Create<TSkinUpDown>();
        spin.SetBuddied(true);
        m_upDown = &spin;
        if (ControlSkinHost* form = Form()) spin.AttachHandle(child, *SkinData(), *form, Canvas());
        return;
    }
}

void TSkinEdit::PrintFrame(HDC dc) {
    RECT window{}, client{};
    if (!::GetWindowRect(Handle(), &window) || !::GetClientRect(Handle(), &client)) return;
    if (!EditPrintsFrame(SizeOf(window), SizeOf(client))) return;
    RECT outer{0, 0, window.right - window.left, window.bottom - window.top};
    RECT inner = outer;
    ::InflateRect(&inner, -1, -1);
    ::FrameRect(dc, &inner, static_cast<HBRUSH>(::GetCurrentObject(dc, OBJ_BRUSH)));
    BrushHandle border{::CreateSolidBrush(ColorToRGB(SkinData()->Colours().ButtonShadow))};
    if (border) ::FrameRect(dc, &outer, border.Get());
}
