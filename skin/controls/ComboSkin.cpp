#include "skin/controls/ComboSkin.h"

#include "framework/controls/Messages.h"
#include "framework/core/FailureLog.h"
#include "framework/graphics/Bitmap.h"
#include "framework/win/Convert.h"
#include "framework/win/User32Functions.h"
#include "skin/controls/CheckSkins.h"
#include "skin/controls/ControlSkinHost.h"
#include "skin/controls/EditRules.h"
#include "skin/controls/ScrollBarSkins.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/WinSkinData.h"

#include <algorithm>

#include <windowsx.h>

namespace {

// The looks a combo-button picture may ask for by its Style.
constexpr int32_t kFlatStyle = 1;
constexpr int32_t kCombinedStyle = 2;
// A button state bit of the combo-box information: the combo shows no drop button.
constexpr DWORD kButtonInvisible = 0x8000;

bool IsSimple(DWORD style) noexcept { return (style & 3) == CBS_SIMPLE; }

}  // namespace

// The edit inside a drop-down combo: its own handling first, then the combo repaints.
class TSkinComBox::EditChild final : public Subclasser {
public:
    explicit EditChild(TSkinComBox& combo) noexcept : m_combo{&combo} {}
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) override {
        const LRESULT result = CallPrevious(message, wParam, lParam);
        if (m_combo) m_combo->EditMessage(message);
        return result;
    }
    // The combo's skin is going; a message being handled now must not reach it.
    void Forget() noexcept { m_combo = nullptr; }

private:
    TSkinComBox* m_combo;
};

TSkinComBox::~TSkinComBox() { ReleaseParts(); }

HWND TSkinComBox::EditWindow() const noexcept { return m_editChild ? m_editChild->Handle() : nullptr; }

void TSkinComBox::AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas) {
    if (Attached()) return;
    TSkinControl::AttachControl(form, skinData, recolour, canvas);
    AttachParts();
}

void TSkinComBox::AttachHandle(HWND handle, TSkinData& skinData, ControlSkinHost& form, TCanvas* canvas) {
    if (Attached()) return;
    TSkinControl::AttachHandle(handle, skinData, form, canvas);
    AttachParts();
}

void TSkinComBox::AttachParts() {
    HWND handle = Handle();
    if (!handle) return;
    m_windowStyle = static_cast<DWORD>(::GetWindowLongPtrW(handle, GWL_STYLE));
    if (!IsSimple(m_windowStyle)) {
        // Only a drop-down combo has a child window: its edit. A drop-down list has none.
        if (HWND edit = ::GetWindow(handle, GW_CHILD)) {
            auto child = SubclasserPtr<EditChild>{new EditChild(*this)};
            try {
                child->Subclass(edit);
                m_editChild = std::move(child);
            } catch (...) {
                LogCurrentException(u"a combo box's edit could not be subclassed; pressing it shows no press");
            }
        }
        return;
    }
    if (!ReadComboInfo()) return;  // no GetComboBoxInfo: the list is not found
    m_listWindow = m_comboInfo.hwndList;
    AttachListBars();
}

void TSkinComBox::AttachListBars() {
    HWND list = m_listWindow;
    if (!list) return;
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(list, GWL_STYLE));
    // A list that pops up (or hangs from the desktop) is not the simple combo's own.
    if (!(style & WS_CHILD) || (style & WS_POPUP) || ::GetParent(list) == ::GetDesktopWindow()) return;
    // Owned where this skin is: it goes with the control or the window skinning object.
    TComponent& owner = Owner() ? *Owner() : static_cast<TComponent&>(*this);
    auto& bars = owner.Create<TSkinScrollbarH>();
    m_listBars = &bars;
    if (ControlSkinHost* form = Form()) bars.AttachHandle(list, *SkinData(), *form, Canvas());
}

void TSkinComBox::ReleaseParts() noexcept {
    if (auto* child = static_cast<EditChild*>(m_editChild.get())) child->Forget();
    m_editChild.reset();  // gives the edit its procedure back
    if (TSkinControl* bars = m_listBars.Get()) {
        try {
            bars->Unskin();
            FreeComponent(bars);
        } catch (...) {
            LogCurrentException(u"a combo box's list scroll bars could not be let go");
        }
    }
    m_listBars = nullptr;
}

void TSkinComBox::Unskin() {
    TSkinControl::Unskin();
    ReleaseParts();
}

bool TSkinComBox::ReadComboInfo() {
    m_comboInfo = COMBOBOXINFO{};
    m_comboInfo.cbSize = sizeof m_comboInfo;
    m_hasComboInfo = Handle() && SkinGetComboBoxInfo(Handle(), m_comboInfo);
    return m_hasComboInfo;
}

// --- messages -------------------------------------------------------------------------------

void TSkinComBox::EditMessage(UINT message) {
    switch (message) {
    case WM_PAINT: PaintFrame(nullptr); break;
    default: PressMessage(message); break;
    }
}

void TSkinComBox::PressMessage(UINT message) {
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK)
        m_mouseState |= kPressed;
    else if (message == WM_LBUTTONUP)
        m_mouseState &= static_cast<uint8_t>(~kPressed);
    else
        return;
    Repaint();
}

void TSkinComBox::AfterMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return;  // the combo repaints itself, and the skin with it
    case WM_MOUSEMOVE:
        HoverAt({GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)});
        return;
    case WM_DRAWITEM: Repaint(); return;
    case WM_NCPAINT:
        // WINE: a window being shown gets WM_NCPAINT before it can be painted, and a paint
        // forced there is lost (the shown combo stayed blank); the paint waits its turn.
        if (Handle()) ::InvalidateRect(Handle(), nullptr, FALSE);
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: PressMessage(message.Msg); return;
    case WM_MOUSELEAVE:
        m_leave.Reset();
        HoverEnds();
        return;
    case kMsgMouseLeave: HoverEnds(); return;
    case kMsgReflectCommand:
        switch (HIWORD(message.WParam)) {
        case CBN_DROPDOWN: m_droppedDown = true; Repaint(); return;
        case CBN_CLOSEUP: m_droppedDown = false; Repaint(); return;
        default: return;
        }
    default: TSkinControl::AfterMessage(message); return;
    }
}

void TSkinComBox::HoverAt(POINT client) {
    HWND handle = Handle();
    if (!handle) return;
    // The button's rectangle is in window coordinates; the message's point in client ones.
    RECT window{};
    ::GetWindowRect(handle, &window);
    ::ClientToScreen(handle, &client);
    const POINT at{client.x - window.left, client.y - window.top};
    const bool enabled = ::IsWindowEnabled(handle) != FALSE;
    const bool over = ::PtInRect(&m_dropButtonRect, at) != FALSE;
    if (m_mouseState & kMouseOver) {
        if (over && enabled) return;
        m_mouseState &= static_cast<uint8_t>(~kMouseOver);
        Repaint();
        return;
    }
    if (!over || !enabled) return;
    m_mouseState |= kMouseOver;
    if (!Control())
        if (ControlSkinHost* form = Form()) form->SetHoverControl(this);
    m_leave.Track(handle);
    Repaint();
}

void TSkinComBox::HoverEnds() {
    if (!(m_mouseState & kMouseOver)) return;
    m_mouseState &= static_cast<uint8_t>(~kMouseOver);
    Repaint();
}

// --- painting -------------------------------------------------------------------------------

ComboFacts TSkinComBox::Facts() const noexcept {
    HWND handle = Handle();
    HWND focus = ::GetFocus();
    // Dropped down, the combo looks pressed until the list closes.
    return {(m_mouseState & kPressed) != 0 || m_droppedDown, (m_mouseState & kMouseOver) != 0,
            focus && (focus == handle || focus == EditWindow()), handle && ::IsWindowEnabled(handle)};
}

void TSkinComBox::PaintSkin(HDC dc, const RECT& rect) {
    HWND handle = Handle();
    const TDataSkinBorder* button = SkinData() ? SkinData()->ComboButton() : nullptr;
    if (!handle || !button || button->Image.Empty()) return;
    m_windowStyle = static_cast<DWORD>(::GetWindowLongPtrW(handle, GWL_STYLE));
    m_windowExStyle = static_cast<DWORD>(::GetWindowLongPtrW(handle, GWL_EXSTYLE));
    // A simple combo shows no drop button, whatever the system can tell about it.
    if (IsSimple(m_windowStyle)) return;
    if (ReadComboInfo()) {
        RECT window{};
        ::GetWindowRect(handle, &window);
        POINT origin{0, 0};
        ::ClientToScreen(handle, &origin);
        m_dropButtonRect = m_comboInfo.rcButton;
        ::OffsetRect(&m_dropButtonRect, origin.x - window.left, origin.y - window.top);
        if (m_comboInfo.stateButton & kButtonInvisible) return;
    }
    const bool leftButton = (m_windowExStyle & WS_EX_LEFTSCROLLBAR) != 0;
    if (button->Style == kFlatStyle) {
        PaintFlat(dc, rect, *button, leftButton);
        return;
    }
    const int state = static_cast<int>(ComboButtonState(Facts()));
    const int arrow = ::GetSystemMetrics(SM_CXHSCROLL);
    const TDataSkinObject* edge = SkinData()->SunkEdge();

    if (button->Style == kCombinedStyle) {
        // The load composed edge, button and glyph into one picture per state; the
        // mirrored one is kept as the sunken edge.
        const TDataSkinObject* whole = leftButton ? edge : button;
        if (whole && !whole->Image.Empty()) {
            const int frames = std::max(whole->FrameCount, 1);
            DrawSkinFrame(dc, rect, frames, leftButton ? MirroredFrame(frames, state) : state, *whole);
        }
        m_dropButtonRect = ToRECT(PlaceComboParts(FromRECT(rect), arrow, leftButton).button);
        return;
    }

    const ComboPlaces places = PlaceComboParts(FromRECT(rect), arrow, leftButton);
    SavedDc keep{dc};
    // The text area is the control's: the edit or the chosen item shows there.
    ::ExcludeClipRect(dc, places.excluded.left, places.excluded.top, places.excluded.right, places.excluded.bottom);
    if (edge && !edge->Image.Empty()) DrawSkinFrame(dc, rect, std::max(edge->FrameCount, 1), state, *edge);
    const TBitmap& strip = leftButton && !button->Image2.Empty() ? button->Image2 : button->Image;
    const int cells = std::max(button->FrameCount, 1);
    const int cell = &strip == &button->Image2 ? MirroredFrame(cells, state) : state;
    DrawStripCell(dc, ToRECT(places.button), cells, cell, strip);
    m_dropButtonRect = ToRECT(places.button);
    if (const TDataSkinObject* extra = SkinData()->ExtraImages(); extra && !extra->Image.Empty())
        DrawCellCentered(dc, ToRECT(places.glyph), extra->Image, Transparency::KeyColour,
                         std::max(extra->FrameCount, 1), state);
}

void TSkinComBox::PaintFlat(HDC dc, const RECT& rect, const TDataSkinBorder& button, bool leftButton) {
    const int state = static_cast<int>(FlatComboState(Facts()));
    // Two rings in the DC's brush cover the system's sunken edge; the text inside stays.
    auto* brush = static_cast<HBRUSH>(::GetCurrentObject(dc, OBJ_BRUSH));
    RECT ring = rect;
    for (int i = 0; i < 2; ++i) {
        ::InflateRect(&ring, -1, -1);
        ::FrameRect(dc, &ring, brush);
    }
    const int cells = std::max(button.FrameCount, 1);
    const TBitmap& strip = leftButton && !button.Image2.Empty() ? button.Image2 : button.Image;
    const int cell = &strip == &button.Image2 ? MirroredFrame(cells, state) : state;
    const RECT at = ToRECT(PlaceFlatComboButton(FromRECT(rect), ::GetSystemMetrics(SM_CYVTHUMB), strip.Height(),
                                                leftButton));
    DrawStripCell(dc, at, cells, cell, strip);
    BrushHandle border{::CreateSolidBrush(ColorToRGB(SkinData()->Colours().ButtonShadow))};
    if (border) ::FrameRect(dc, &rect, border.Get());
    m_dropButtonRect = at;
}
