#include "skin/controls/MediaPlayerSkin.h"

#include "framework/controls/MediaGlyphs.h"
#include "framework/controls/Messages.h"
#include "framework/controls/WinControl.h"
#include "framework/core/FailureLog.h"
#include "framework/core/Properties.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/GraphicsObjects.h"
#include "skin/data/SkinObjects.h"
#include "skin/data/WinSkinData.h"

#include <algorithm>
#include <optional>
#include <string>

#include <windowsx.h>

namespace {

TButtonSet NamedButtons(const TWinControl* target, std::u16string_view property) {
    const std::optional<std::u16string> text = GetPropText(target, property);
    return text ? ButtonsNamedIn(*text) : TButtonSet{};
}

}  // namespace

// --- the overlay ----------------------------------------------------------------------------

TWMediaPlayer::TWMediaPlayer() : m_glyphs{std::make_unique<MediaGlyphs>(::GetModuleHandleW(nullptr))} {
    SetDoubleBuffered(false);  // composed off-screen here already
    SetTabStop(false);
    SetVisible(false);
}

TWMediaPlayer::~TWMediaPlayer() = default;

void TWMediaPlayer::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.style &= ~WS_TABSTOP;
}

void TWMediaPlayer::AttachPlayer(TSkinMP& owner, TWinControl& target) {
    m_owner = &owner;
    m_target = &target;
    m_skinData = owner.SkinData();
    // The skin engine leaves a control with this tag alone: the overlay is never skinned.
    if (m_skinData) SetTag(m_skinData->DisableTag());
    SetParent(target.Parent());
    FollowTarget();
    FollowVisibility();
}

void TWMediaPlayer::FollowTarget() {
    if (!m_target) return;
    SetBounds(m_target->Left(), m_target->Top(), m_target->Width(), m_target->Height());
    HWND self = HandleIfAllocated();
    HWND target = m_target->HandleIfAllocated();
    // Directly in front of the player, whatever came between.
    if (self && target && ::GetWindow(target, GW_HWNDPREV) != self) {
        HWND before = ::GetWindow(target, GW_HWNDPREV);
        ::SetWindowPos(self, before ? before : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    Invalidate();
}

void TWMediaPlayer::FollowVisibility() {
    if (!m_target) return;
    SetVisible(m_target->Visible());
    if (m_target->Visible()) FollowTarget();
}

MediaButtonRow TWMediaPlayer::Row(int width) const {
    const MediaButtonRow row = LayOutMediaButtons(NamedButtons(m_target, u"VisibleButtons"), width);
    m_buttonWidth = row.buttonWidth;
    m_visibleCount = row.visibleCount;
    return row;
}

uint8_t TWMediaPlayer::ButtonAt(int x) const {
    RECT client{};
    if (HWND self = HandleIfAllocated()) ::GetClientRect(self, &client);
    return Row(client.right).ButtonAt(x);
}

// --- mouse ----------------------------------------------------------------------------------

void TWMediaPlayer::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_ERASEBKGND: message.Result = 1; return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: Press(message); return;
    case WM_LBUTTONUP: Release(message); return;
    default: TCustomControl::WndProc(message);
    }
}

HWND TWMediaPlayer::EnabledTarget() const noexcept {
    // A disabled player takes no mouse input; the overlay over it passes none on.
    HWND target = m_target ? m_target->HandleIfAllocated() : nullptr;
    return target && ::IsWindowEnabled(target) ? target : nullptr;
}

void TWMediaPlayer::Press(TMessage& message) {
    m_tracking = true;
    TCustomControl::WndProc(message);
    const ComponentRef<TWMediaPlayer> alive{this};
    if (HWND target = EnabledTarget())
        ::SendMessageW(target, WM_LBUTTONDOWN, message.WParam, message.LParam);
    if (!alive.Get()) return;
    // The player took the mouse for its own press; the release must come here, so that
    // it reaches the player only over the button that was pressed. A release anywhere
    // else still ends the press here.
    ::ReleaseCapture();
    if (HWND self = HandleIfAllocated()) ::SetCapture(self);
    m_hotButton = ButtonAt(GET_X_LPARAM(message.LParam));
    m_pressedButton = m_hotButton;
    Repaint();
}

void TWMediaPlayer::Release(TMessage& message) {
    m_tracking = false;
    TCustomControl::WndProc(message);
    if (HWND self = HandleIfAllocated(); self && ::GetCapture() == self) ::ReleaseCapture();
    m_hotButton = ButtonAt(GET_X_LPARAM(message.LParam));
    if (m_hotButton == m_pressedButton && m_hotButton != kNoMediaButton) {
        const ComponentRef<TWMediaPlayer> alive{this};
        if (HWND target = EnabledTarget())
            ::SendMessageW(target, WM_LBUTTONUP, message.WParam, message.LParam);
        if (!alive.Get()) return;
    }
    m_pressedButton = m_hotButton;
    Repaint();
}

// --- painting -------------------------------------------------------------------------------

bool TWMediaPlayer::Paint(HDC dc, const RECT& box) noexcept {
    try {
        const int width = box.right - box.left, height = box.bottom - box.top;
        if (width <= 0 || height <= 0) return true;
        const TColor face = m_skinData ? m_skinData->Colours().ButtonFace : clBtnFace;
        const MediaButtonRow row = Row(width);
        if (row.buttonWidth == 0) {
            BrushHandle brush{::CreateSolidBrush(ColorToRGB(face))};
            return brush && ::FillRect(dc, &box, brush.Get());
        }
        if (!m_buffer.EnsureSize(width, height)) return false;
        const RECT all{0, 0, width, height};
        BrushHandle brush{::CreateSolidBrush(ColorToRGB(face))};
        if (brush) ::FillRect(m_buffer.Dc(), &all, brush.Get());
        if (!Compose(m_buffer.Dc(), all, row)) return false;
        return ::BitBlt(dc, box.left, box.top, width, height, m_buffer.Dc(), 0, 0, SRCCOPY) != FALSE;
    } catch (...) {
        LogCurrentException(u"a media player's skinned buttons could not paint");
        return false;
    }
}

bool TWMediaPlayer::Compose(HDC dc, const RECT& box, const MediaButtonRow& row) const {
    // A disabled player shows every button disabled.
    const TButtonSet enabled =
        m_target && m_target->Enabled() ? NamedButtons(m_target, u"EnabledButtons") : TButtonSet{};
    const TButtonSet coloured = NamedButtons(m_target, u"ColoredButtons");
    const TDataSkinButton* face = m_skinData ? &m_skinData->Buttons() : nullptr;
    const bool hasFace = face && !face->Image.Empty();
    const int frames = hasFace ? std::max(face->FrameCount, 1) : 1;
    for (int slot = 0; slot < row.visibleCount; ++slot) {
        const uint8_t button = row.order[static_cast<size_t>(slot)];
        const auto type = static_cast<TMPBtnType>(button);
        const bool on = enabled.Contains(type);
        const int frame = MediaButtonFrame(on, m_tracking && button == m_pressedButton);
        const core::Rect r = row.SlotRect(slot, box.bottom - box.top);
        const RECT cell{r.left, r.top, r.right, r.bottom};
        // A skin with fewer frames shows its last one for the states it has no picture of.
        if (hasFace) TSkinControl::DrawSkinFrame(dc, cell, frames, std::min(frame, frames), *face);
        m_glyphs->DrawCentred(dc, cell, GlyphSetFor(on, coloured.Contains(type)), button, frame == 2 ? 1 : 0);
    }
    return true;
}

// --- the skin -------------------------------------------------------------------------------

TSkinMP::TSkinMP() = default;
TSkinMP::~TSkinMP() = default;

void TSkinMP::AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas) {
    if (Attached()) return;
    TSkinControl::AttachControl(form, skinData, recolour, canvas);
    auto* control = As<TWinControl>(Control());
    if (!control || !control->Parent()) return;
    // Owned by this skin: it goes when the skin goes, or at Unskin.
    auto& player = Create<TWMediaPlayer>();
    m_player = &player;
    player.AttachPlayer(*this, *control);
}

void TSkinMP::Unskin() {
    TSkinControl::Unskin();
    // A player whose window is gone has left its overlay to die with the skin.
    if (TWMediaPlayer* player = m_player.Get(); player && m_state != kWindowGone) {
        FreeComponent(player);
        m_player = nullptr;
    }
}

void TSkinMP::Reskin() {
    TSkinControl::Reskin();
    if (TWMediaPlayer* player = m_player.Get()) player->FollowTarget();
}

void TSkinMP::AfterMessage(TMessage& message) {
    TWMediaPlayer* player = m_player.Get();
    switch (message.Msg) {
    case WM_WINDOWPOSCHANGED:
        if (player) player->FollowTarget();
        return;
    case kMsgVisibleChanged:
        if (player) player->FollowVisibility();
        return;
    default: break;
    }
    TSkinControl::AfterMessage(message);
}

void TSkinMP::PaintSkin(HDC, const RECT&) {
    // The player painted itself underneath; what shows is the overlay.
    if (TWMediaPlayer* player = m_player.Get()) player->Invalidate();
}
