#include "skin/window/SkinPopMenu.h"

#include "framework/core/FailureLog.h"
#include "framework/win/Handles.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"

class TWinSkinPopMenu::Router final : public Subclasser {
public:
    explicit Router(TWinSkinPopMenu& menu) noexcept : m_menu{&menu} {}
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) override {
        return m_menu->WndProc(message, wParam, lParam);
    }

private:
    TWinSkinPopMenu* m_menu;
};

namespace {

const TDataSkinObject* BackgroundOf(const TSkinData* skinData) noexcept {
    if (!skinData || skinData->NoSkin()) return nullptr;
    const TDataSkinObject* object = skinData->MenuBackground();
    return object && !object->Image.Empty() ? object : nullptr;
}

}  // namespace

TWinSkinPopMenu::TWinSkinPopMenu() noexcept = default;

TWinSkinPopMenu::~TWinSkinPopMenu() { Detach(); }

void TWinSkinPopMenu::Attach(HWND menuWindow, TSkinData& skinData, int32_t kind) {
    auto router = SubclasserPtr<Router>{new Router(*this)};
    router->Subclass(menuWindow);  // throws, with nothing changed yet
    m_router = std::move(router);
    m_window = menuWindow;
    m_skinData = &skinData;
    m_kind = kind;
}

void TWinSkinPopMenu::Detach() noexcept {
    if (m_router) {
        m_router->Unsubclass();
        m_router.reset();
    }
    m_picture.reset();
}

LRESULT TWinSkinPopMenu::CallOld(UINT message, WPARAM wParam, LPARAM lParam) const noexcept {
    return m_router ? m_router->CallPrevious(message, wParam, lParam)
                    : ::DefWindowProcW(m_window, message, wParam, lParam);
}

const TBitmap* TWinSkinPopMenu::Picture() noexcept {
    const TDataSkinObject* object = BackgroundOf(m_skinData);
    if (!object || !m_window) return nullptr;
    RECT window{};
    ::GetWindowRect(m_window, &window);
    const int w = window.right - window.left, h = window.bottom - window.top;
    if (m_picture && m_picture->Width() == w && m_picture->Height() == h) return m_picture.get();
    m_picture = SliceImage({0, 0, w, h}, object->Image, object->Margins(), FrameLayout::Horizontal,
                           MiddleModeOf(object->Tile), 1, 1);
    return m_picture.get();
}

bool TWinSkinPopMenu::PaintStrips(HDC windowDc) noexcept {
    const TBitmap* picture = Picture();
    HDC source = picture ? picture->Dc() : nullptr;
    if (!source || !windowDc) return false;
    const int w = picture->Width(), h = picture->Height();
    ::BitBlt(windowDc, 0, 0, w, kFrame, source, 0, 0, SRCCOPY);
    ::BitBlt(windowDc, 0, h - kFrame, w, kFrame, source, 0, h - kFrame, SRCCOPY);
    ::BitBlt(windowDc, 0, 0, kFrame, h, source, 0, 0, SRCCOPY);
    return ::BitBlt(windowDc, w - kFrame, 0, kFrame, h, source, w - kFrame, 0, SRCCOPY) != FALSE;
}

bool TWinSkinPopMenu::PaintFrame(HDC windowDc) noexcept {
    // The strips first: they are what shows if the rest is drawn over at once.
    if (!PaintStrips(windowDc)) return false;
    const TBitmap* picture = Picture();
    return ::BitBlt(windowDc, 0, 0, picture->Width(), picture->Height(), picture->Dc(), 0, 0, SRCCOPY) != FALSE;
}

bool TWinSkinPopMenu::Print(HDC dc, LPARAM flags) noexcept {
    const TBitmap* picture = Picture();
    if (!picture || !dc || !picture->Dc()) return false;
    const int w = picture->Width(), h = picture->Height();
    ::BitBlt(dc, 0, 0, w, h, picture->Dc(), 0, 0, SRCCOPY);
    SavedDc keep{dc};
    ::SetBkMode(dc, TRANSPARENT);
    ::IntersectClipRect(dc, kFrame, kFrame, w - kFrame, h - kFrame);
    CallOld(WM_PRINT, reinterpret_cast<WPARAM>(dc), flags);
    return true;
}

LRESULT TWinSkinPopMenu::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WMX_ISSKINNED) return 1;
    const TSkinManage* manager = TSkinManage::Instance();
    if (!manager || !manager->Active()) return CallOld(message, wParam, lParam);
    switch (message) {
    case WM_DESTROY: {
        // Detach first: the old procedure may be the last to see the window.
        const SubclasserPtr<Router> keep = std::move(m_router);
        m_picture.reset();
        if (keep) keep->Unsubclass();
        return keep ? keep->CallPrevious(message, wParam, lParam) : ::DefWindowProcW(m_window, message, wParam, lParam);
    }
    case WM_ERASEBKGND:
        if (!(m_skinData && m_skinData->Options().Contains(TSkinOption::xoMenuBG))) CallOld(message, wParam, lParam);
        return 1;
    case WM_NCPAINT: {
        if (!BackgroundOf(m_skinData)) return CallOld(message, wParam, lParam);
        // The whole frame is painted, whatever part the system asks for.
        const WindowDc dc = WindowDc::Whole(m_window);
        return PaintFrame(dc.Get()) ? 0 : CallOld(message, wParam, lParam);
    }
    case WM_PAINT: {
        const LRESULT result = CallOld(message, wParam, lParam);
        // WINE: the menu paints its own edge in WM_PAINT, over the skin's frame strips;
        // the strips go on again afterwards. On Windows this repaints what is there.
        if (BackgroundOf(m_skinData)) {
            const WindowDc dc = WindowDc::Whole(m_window);
            PaintStrips(dc.Get());
        }
        return result;
    }
    case WM_PRINT:
        if (Print(reinterpret_cast<HDC>(wParam), lParam)) return 0;
        return CallOld(message, wParam, lParam);
    default: return CallOld(message, wParam, lParam);
    }
}
