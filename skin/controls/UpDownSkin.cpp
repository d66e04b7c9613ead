#include "skin/controls/UpDownSkin.h"

#include "framework/win/Convert.h"
#include "skin/controls/ControlSkinHost.h"
#include "skin/controls/EditRules.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/WinSkinData.h"

#include <algorithm>
#include <array>

#include <commctrl.h>

namespace {

constexpr TColor kWhite = RgbColour(255, 255, 255);

}  // namespace

bool TSkinUpDown::BeforeMessage(TMessage& message) {
    if (!TSkinControl::BeforeMessage(message)) return false;
    switch (message.Msg) {
    case WM_PAINT: PaintMessage(message); return false;
    case WM_ERASEBKGND:
        // The paint covers the window; a bare one is cleared to white first, as the
        // edit around it is.
        if (!Control() && Handle()) {
            RECT client{};
            ::GetClientRect(Handle(), &client);
            FillColor(reinterpret_cast<HDC>(message.WParam), client, kWhite);
        }
        message.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The control's own press first: it starts the auto-repeat and takes the capture.
        CallDefault(message);
        m_mouseState |= kPressed;
        PaintNow();
        return false;
    case WM_LBUTTONUP:
        m_mouseState &= static_cast<uint8_t>(~kPressed);
        CallDefault(message);
        PaintNow();
        return false;
    case WM_MOUSEMOVE:
        CallDefault(message);
        HoverMoves();
        return false;
    case WM_MOUSELEAVE:
        m_leave.Reset();
        CallDefault(message);
        HoverEnds();
        return false;
    case kMsgMouseLeave:
        CallDefault(message);
        HoverEnds();
        return false;
    default: return true;
    }
}

void TSkinUpDown::HoverMoves() {
    HWND handle = Handle();
    if (!handle) return;
    if (!(m_mouseState & kMouseOver)) {
        m_mouseState |= kMouseOver;
        // A bare window has no framework to tell it that the mouse left.
        if (!Control())
            if (ControlSkinHost* form = Form()) form->SetHoverControl(this);
    }
    m_leave.Track(handle);
    if (const int hot = HotHalf(); hot != m_hotHalf) {
        m_hotHalf = hot;
        PaintNow();
    }
}

void TSkinUpDown::HoverEnds() {
    if (!(m_mouseState & kMouseOver) && m_hotHalf < 0) return;
    m_mouseState &= static_cast<uint8_t>(~kMouseOver);
    m_hotHalf = -1;
    PaintNow();
}

void TSkinUpDown::PaintNow() { PaintFrame(nullptr); }

bool TSkinUpDown::LaidHorizontally() const noexcept {
    return m_horizontal == 1 || (Handle() && (::GetWindowLongPtrW(Handle(), GWL_STYLE) & UDS_HORZ) != 0);
}

int TSkinUpDown::HotHalf() const noexcept {
    RECT client{};
    POINT cursor{};
    if (!Handle() || !::GetClientRect(Handle(), &client) || !::GetCursorPos(&cursor)) return -1;
    ::ScreenToClient(Handle(), &cursor);
    const auto halves = SpinHalves(FromRECT(client), LaidHorizontally());
    for (int i = 0; i < 2; ++i)
        if (halves[static_cast<size_t>(i)].rect.Contains({cursor.x, cursor.y})) return i;
    return -1;
}

void TSkinUpDown::PaintSkin(HDC dc, const RECT& rect) {
    HWND handle = Handle();
    if (!handle || !SkinData()) return;
    RECT area = rect;
    if (m_buddied) {
        FillColor(dc, rect, kWhite);
        HWND parent = ::GetParent(handle);
        RECT own{}, outer{};
        if (!parent || !::GetWindowRect(handle, &own) || !::GetWindowRect(parent, &outer)) return;
        const core::Rect inParent = FromRECT(own).Offset(-outer.left, -outer.top);
        area = ToRECT(BuddiedSpinArea(inParent, {outer.right - outer.left, outer.bottom - outer.top}));
        if (::IsRectEmpty(&area)) return;
    }
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::ScreenToClient(handle, &cursor);
    const bool enabled = ::IsWindowEnabled(handle) != FALSE;
    const bool horizontal = LaidHorizontally();
    const TDataSkinBorder* object = horizontal ? SkinData()->UpDownHorz() : SkinData()->UpDownVert();
    if (object && object->Image.Empty()) object = nullptr;

    PaintBuffered(dc, area, [&](HDC buffer) {
        FillSkinBackground(buffer, area);
        for (const SpinHalf& half : SpinHalves(FromRECT(area), horizontal)) {
            const ComboState state = SpinHalfState(half.rect.Contains({cursor.x, cursor.y}),
                                                   (m_mouseState & kPressed) != 0, (m_mouseState & kMouseOver) != 0,
                                                   enabled);
            const RECT box = ToRECT(half.rect);
            if (!object) {
                DrawPlainHalf(buffer, box, static_cast<int>(half.kind), static_cast<int>(state));
                continue;
            }
            const int frames = std::max(object->FrameCount, 1);
            const int frame = SpinFrame(state, half.kind);
            DrawCell(buffer, box, object->Image, TransparencyOf(object->Trans), frames, frame);
            if (!object->Image2.Empty())
                DrawCellCentered(buffer, box, object->Image2, Transparency::KeyColour, frames, frame);
        }
    });
}

void TSkinUpDown::DrawPlainHalf(HDC dc, const RECT& half, int kind, int state) const {
    const TSkinColours& colours = SkinData()->Colours();
    const bool lit = state == static_cast<int>(ComboState::Pressed) || state == static_cast<int>(ComboState::Hover);
    FillColor(dc, half, lit ? colours.ButtonShadow : colours.ButtonFace);
    BrushHandle frame{::CreateSolidBrush(ColorToRGB(colours.ButtonDkShadow))};
    if (frame) ::FrameRect(dc, &half, frame.Get());

    // A small triangle of four rows, its tip towards the way the half steps.
    const auto kindOf = static_cast<SpinKind>(kind);
    const bool vertical = kindOf == SpinKind::Up || kindOf == SpinKind::Down;
    const int cx = (half.left + half.right) / 2;
    const int cy = (half.top + half.bottom) / 2 - (vertical ? 2 : 0);
    const TColor ink = state == static_cast<int>(ComboState::Disabled) ? colours.ButtonShadow : colours.ButtonText;
    BrushHandle inkBrush{::CreateSolidBrush(ColorToRGB(ink))};
    if (!inkBrush) return;
    for (int row = 0; row < 4; ++row) {
        RECT line{};
        switch (kindOf) {
        case SpinKind::Up: line = {cx - row, cy + row, cx + row + 1, cy + row + 1}; break;
        case SpinKind::Down: line = {cx - 3 + row, cy + row, cx + 4 - row, cy + row + 1}; break;
        case SpinKind::Left: line = {cx - 2 + row, cy - row, cx - 1 + row, cy + row + 1}; break;
        case SpinKind::Right: line = {cx + 1 - row, cy - row, cx + 2 - row, cy + row + 1}; break;
        }
        ::FillRect(dc, &line, inkBrush.Get());
    }
}
