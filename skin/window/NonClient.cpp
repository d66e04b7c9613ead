// The non-client side of TWinSkinForm: frame sizes, the client rectangle, the hit
// test, the frame painting and the caption buttons with their mouse handling.

#include "skin/window/WinSkinForm.h"

#include "framework/controls/Messages.h"
#include "framework/core/FailureLog.h"
#include "framework/graphics/Colors.h"
#include "framework/win/Convert.h"
#include "skin/data/SharedScratch.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinFormRouter.h"
#include "skin/window/WindowQueries.h"

#include <algorithm>

#include <windowsx.h>

namespace {

bool IsIconAction(int action) noexcept { return action == 3 || action == 11; }

int FrameCountOf(const TDataSkinObject& object) noexcept { return std::max(object.FrameCount, 1); }

CaptionButtonRule RuleOf(const TDataSkinSysButton& b) noexcept {
    return {b.Action, b.Align, b.Xcoord, b.Ycoord, b.Visibility, b.Visibility1};
}

core::Point PointOf(LPARAM lParam) noexcept { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

core::Size SmallIconSize() noexcept { return {::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON)}; }

}  // namespace

TDataSkinObject& TWinSkinForm::BorderObject(int index) const noexcept {
    switch (index) {
    case 1: return m_skinData->LeftBorder();
    case 2: return m_skinData->RightBorder();
    case 3: return m_skinData->TopBorder();
    default: return m_skinData->BottomBorder();
    }
}

void TWinSkinForm::MakeCaptionFont() noexcept {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return;
    LOGFONTW font = metrics.lfCaptionFont;
    if (m_skinData && m_skinData->Title().FontHeight > 0) font.lfHeight = -m_skinData->Title().FontHeight;
    m_captionFont = FontHandle{::CreateFontIndirectW(&font)};
}

// --- sizes and caption buttons ------------------------------------------------------------

void TWinSkinForm::ReadBorderSizes() {
    if (!m_skinData || m_skinData->NoSkin()) return;
    MakeCaptionFont();
    if (m_borderKind == BorderKind::NoCaption) {
        m_borders = {};
        m_menuBarHeight = 0;
    } else {
        const auto across = [](const TDataSkinObject& o) { return o.Image.Width() / FrameCountOf(o); };
        const auto down = [](const TDataSkinObject& o) { return o.Image.Height() / FrameCountOf(o); };
        m_borders = {across(m_skinData->LeftBorder()), down(m_skinData->TopBorder()),
                     across(m_skinData->RightBorder()), down(m_skinData->BottomBorder())};
    }
    m_hotObject = nullptr;
    m_buttons.clear();
    for (const auto& button : m_skinData->SysButtons()) {
        m_buttons.push_back(std::make_unique<TWinSysButton>(*this, *button));
        if (IsIconAction(button->Action)) MakeIconBitmap();
    }
}

HICON TWinSkinForm::WindowIcon() const noexcept {
    auto icon = reinterpret_cast<HICON>(::SendMessageW(m_window, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(::SendMessageW(m_window, WM_GETICON, ICON_BIG, 0));
    if (!icon) icon = reinterpret_cast<HICON>(::GetClassLongPtrW(m_window, GCLP_HICONSM));
    if (!icon) icon = reinterpret_cast<HICON>(::GetClassLongPtrW(m_window, GCLP_HICON));
    return icon;
}

void TWinSkinForm::MakeIconBitmap() {
    const core::Size size = SmallIconSize();
    if (!m_iconBitmap.EnsureSize(size.width, size.height)) return;
    m_iconBitmap.Fill(ColorToRGB(kKeyColour));
    if (HICON icon = WindowIcon()) {
        IconHandle copy{static_cast<HICON>(::CopyImage(icon, IMAGE_ICON, size.width, size.height, LR_COPYFROMRESOURCE))};
        ::DrawIconEx(m_iconBitmap.Dc(), 0, 0, copy ? copy.Get() : icon, size.width, size.height, 0, nullptr, DI_NORMAL);
    } else if (m_skinData && !m_skinData->AppIcon().Empty()) {
        // A window without an icon of its own shows the program's, as the system would.
        const TBitmap& app = m_skinData->AppIcon();
        ::BitBlt(m_iconBitmap.Dc(), 0, 0, std::min(size.width, app.Width()), std::min(size.height, app.Height()),
                 app.Dc(), 0, 0, SRCCOPY);
    }
}

// --- geometry -------------------------------------------------------------------------------

core::Point TWinSkinForm::ScreenToFrame(core::Point screen) const noexcept {
    RECT window{};
    ::GetWindowRect(m_window, &window);
    return {screen.x - window.left, screen.y - window.top};
}

LRESULT TWinSkinForm::NonClientSize(WPARAM wParam, LPARAM lParam) {
    const LRESULT old = CallOld(WM_NCCALCSIZE, wParam, lParam);
    if (!wParam) {
        // The proposed window rectangle becomes the client inside the skin frame.
        auto& rect = *reinterpret_cast<RECT*>(lParam);
        rect = ToRECT(ClientInFrame(FromRECT(rect), m_borders, m_menuBarHeight));
        return 0;
    }
    auto& params = *reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
    if ((m_mdiKind == MdiKind::Child && m_windowState != WindowState::Normal) ||
        m_borderKind == BorderKind::NoCaption) {
        params.rgrc[1] = params.rgrc[0];
        (void)old;
        return WVR_VALIDRECTS;
    }
    const WINDOWPOS& pos = *params.lppos;
    const RECT client = ToRECT(ClientInFrame(core::Rect::FromBounds(pos.x, pos.y, pos.cx, pos.cy), m_borders,
                                             m_menuBarHeight));
    params.rgrc[0] = client;
    params.rgrc[1] = client;
    return WVR_VALIDRECTS;
}

LRESULT TWinSkinForm::HitTest(WPARAM wParam, LPARAM lParam) {
    const auto system = static_cast<int>(CallOld(WM_NCHITTEST, wParam, lParam));
    return CaptionHitTest(system, ScreenToFrame(PointOf(lParam)), m_borders.top, m_menuBarHeight);
}

CaptionFacts TWinSkinForm::Facts() const {
    CaptionFacts facts;
    facts.state = m_windowState;
    facts.active = m_active;
    facts.capabilities = m_capabilities;
    facts.border = m_borderKind;
    facts.isDialogClass = m_isDialog;
    facts.toolWindow = ::GetWindowLongPtrW(m_window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW;
    facts.mdiChildButtonsInMenuBar = m_menuBar && m_menuBarHeight > 0 && ActiveMdiChildMaximized();
    HWND window = m_window;
    facts.askHost = [window](int code, int action) {
        return ::SendMessageW(window, WMX_CAPTIONBUTTONSHOWN, static_cast<WPARAM>(code), action) > 0;
    };
    return facts;
}

void TWinSkinForm::LayoutCaptionButtons(int width) noexcept {
    if (!m_skinData) return;
    try {
        const CaptionFacts facts = Facts();
        CaptionGeometry geometry;
        geometry.windowWidth = width;
        geometry.leftBorder = m_borders.left;
        geometry.rightBorder = m_borders.right;
        geometry.topHeight = m_borders.top;
        geometry.menuBarHeight = m_menuBarHeight;
        geometry.menuBarLeftWidth = m_skinData->MenuBarSkin() ? m_skinData->MenuBarSkin()->LeftWidth : 0;
        geometry.rightToLeft = m_rightToLeft;
        geometry.captionTextLeft = m_captionTextBox.left;
        geometry.captionTextRight = m_captionTextBox.right;
        for (auto& button : m_buttons) {
            const TDataSkinSysButton& skin = button->Skin();
            core::Size size;
            if (IsIconAction(skin.Action) && skin.Image.Empty()) size = SmallIconSize();  // the window's icon
            else size = {skin.Image.Width() / FrameCountOf(skin), skin.Image.Height()};
            const bool hasPicture = size.width > 0 && size.height > 0;
            button->Visible = hasPicture && CaptionButtonVisible(RuleOf(skin), facts);
            button->Bounds = CaptionButtonBounds(RuleOf(skin), size, geometry);
        }
    } catch (...) {
        LogCurrentException(u"the caption buttons could not be laid out");
        for (auto& button : m_buttons) button->Visible = false;
    }
}

TWinSysButton* TWinSkinForm::FindNCObject(core::Point framePoint) const noexcept {
    std::vector<CaptionButtonHit> hits;
    hits.reserve(m_buttons.size());
    for (const auto& b : m_buttons) hits.push_back({&b->Bounds, b->Visible, b->Skin().Action});
    const int found = CaptionButtonAt(hits, framePoint);
    return found < 0 ? nullptr : m_buttons[static_cast<size_t>(found)].get();
}

// --- painting -------------------------------------------------------------------------------

LRESULT TWinSkinForm::NonClientPaint(WPARAM wParam, LPARAM lParam) {
    SetSysMenuStyle(true);
    if (!m_skinData || !m_skinData->FramePaint()) return 0;
    if ((m_mdiKind == MdiKind::Child && m_windowState == WindowState::Maximized) ||
        m_borderKind == BorderKind::NoCaption)
        return CallOld(WM_NCPAINT, wParam, lParam);
    // A frame being fitted is left as it is: StartSkin paints it, skinned, once fitted.
    if (m_skinState == SkinState::Fitting) return 0;
    if (!PaintNonClient(nullptr)) return CallOld(WM_NCPAINT, wParam, lParam);
    return 0;
}

bool TWinSkinForm::PaintBorderPiece(int index, const RECT& rect, HDC dc) noexcept {
    if (rect.right < rect.left || rect.bottom < rect.top) return true;
    const TDataSkinObject& border = BorderObject(index);
    const FrameLayout layout = index > 2 ? FrameLayout::Vertical : FrameLayout::Horizontal;
    // A window border keeps its stretch flag in Tile: 1 stretches, anything else tiles.
    const MiddleMode middle = border.Tile == 1 ? MiddleMode::Stretch : MiddleMode::Tile;
    const int frame = BorderFrame(m_active, border.FrameCount);
    return DrawSliced(dc, rect, border.Image, layout, middle, Transparency::Opaque, border.FrameCount, frame,
                      border.Margins());
}

int TWinSkinForm::CaptionTextWidth() const noexcept {
    try {
        const std::wstring text = WindowText();
        if (text.empty() || !m_captionFont) return 0;
        const WindowDc dc = WindowDc::Whole(m_window);
        SelectScope useFont{dc.Get(), m_captionFont.Get()};
        SIZE size{};
        ::GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    } catch (...) {
        return 0;
    }
}

std::wstring TWinSkinForm::WindowText() const {
    const int length = ::GetWindowTextLengthW(m_window);
    std::wstring text(static_cast<size_t>(std::max(length, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(m_window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void TWinSkinForm::PaintCaptionText(HDC dc, const RECT& caption) noexcept {
    try {
        m_captionTextBox = {};
        const std::wstring text = WindowText();
        if (!m_captionFont) return;
        const TDataSkinTitle& title = m_skinData->Title();
        SelectScope useFont{dc, m_captionFont.Get()};
        SavedDc keep{dc};
        SIZE extent{};
        if (!text.empty()) ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(dc, &metrics);
        CaptionText placement;
        placement.windowWidth = caption.right + m_borders.right;
        placement.captionHeight = caption.bottom - caption.top;
        placement.textWidth = extent.cx;
        placement.textHeight = metrics.tmHeight;
        placement.textShift = title.TextShift();
        placement.textShiftVert = title.TextShiftVert();
        placement.rightClip = title.TextRightClip();
        placement.alignment = CaptionAlignmentOf(title.TextAlignment);
        core::Rect box = ::CaptionTextBox(placement);
        box = box.Offset(0, caption.top);
        m_captionTextBox = box;
        if (text.empty() || box.IsEmpty()) return;
        TColor colour = m_active ? title.ActiveText : title.InActiveText;
        if (colour == clNone) colour = m_active ? m_skinData->Colours().TitleTextActive : m_skinData->Colours().TitleTextNoActive;
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ColorToRGB(colour));
        RECT r = ToRECT(box);
        UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
        if (::GetWindowLongPtrW(m_window, GWL_EXSTYLE) & WS_EX_RTLREADING) format |= DT_RTLREADING;
        ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
    } catch (...) {
        LogCurrentException(u"the caption text could not be drawn");
    }
}

void TWinSkinForm::PaintCaptionButton(HDC dc, const TWinSysButton& button, int frame) noexcept {
    const TDataSkinSysButton& skin = button.Skin();
    const RECT bounds = ToRECT(button.Bounds);
    if (IsIconAction(skin.Action)) {
        const core::Size size = SmallIconSize();
        if (HICON icon = WindowIcon())
            ::DrawIconEx(dc, bounds.left, bounds.top, icon, size.width, size.height, 0, nullptr, DI_NORMAL);
        else if (m_iconBitmap.Width() > 0)
            ::TransparentBlt(dc, bounds.left, bounds.top, size.width, size.height, m_iconBitmap.Dc(), 0, 0,
                             m_iconBitmap.Width(), m_iconBitmap.Height(), ColorToRGB(kKeyColour));
        return;
    }
    DrawCell(dc, bounds, skin.Image, Transparency::KeyColour, skin.FrameCount, frame);
}

void TWinSkinForm::PaintCaption(HDC dc, int width, int height) noexcept {
    const bool minimized = m_windowState == WindowState::Minimized;
    RECT caption = minimized ? RECT{0, 0, width, m_borders.top} : RECT{m_borders.left, 0, width - m_borders.right, m_borders.top};
    if (minimized) {
        const RECT all{0, 0, width, height};
        BrushHandle face{::CreateSolidBrush(ColorToRGB(m_skinData->Colours().ButtonFace))};
        ::FillRect(dc, &all, face.Get());
    }
    PaintBorderPiece(3, caption, dc);
    PaintCaptionText(dc, caption);
    LayoutCaptionButtons(width);
    for (const auto& button : m_buttons) {
        if (!button->Visible || button->Skin().Visibility == 100) continue;
        PaintCaptionButton(dc, *button, CaptionButtonFrame(m_active, button->Skin().FrameCount));
    }
}

bool TWinSkinForm::PaintFrameStrip(HDC target, const FrameStrip& strip, core::Size window,
                                   bool& captionPainted) noexcept {
    const core::Rect& area = strip.rect;
    DibSection& buffer = strip.side ? m_sideBuffer : m_frameBuffer;
    if (!buffer.EnsureSize(area.Width(), area.Height())) return false;
    HDC dc = buffer.Dc();
    // Painted in window coordinates; the buffer holds the strip alone.
    ::SetViewportOrgEx(dc, -area.left, -area.top, nullptr);
    const auto reaches = [&area](const core::Rect& r) { return !area.Intersect(r).IsEmpty(); };
    const FrameBorders& b = m_borders;
    const int w = window.width, h = window.height;
    if (m_windowState != WindowState::Minimized) {
        const RECT left{0, 0, b.left, h}, right{w - b.right, 0, w, h}, bottom{b.left, h - b.bottom, w - b.right, h};
        if (reaches(FromRECT(left))) PaintBorderPiece(1, left, dc);
        if (reaches(FromRECT(right))) PaintBorderPiece(2, right, dc);
        if (reaches(FromRECT(bottom))) PaintBorderPiece(4, bottom, dc);
        const RECT bar{b.left, b.top, w - b.right, b.top + m_menuBarHeight};
        if (m_menuBarHeight > 0 && reaches(FromRECT(bar))) {
            TWinSkinMenu* menuBar = m_menuBar.Get();
            if (!menuBar || !menuBar->PaintMenuBar(dc, bar)) ::FillRect(dc, &bar, m_skinData->ButtonFaceBrush());
        }
    }
    // The caption lies in the top strip unless a skin places its text or a button beyond
    // it; both are placed as the caption is painted, the top strip first.
    const bool captionHere = !captionPainted || reaches({b.left, 0, w - b.right, b.top}) ||
                             reaches(m_captionTextBox) ||
                             std::any_of(m_buttons.begin(), m_buttons.end(), [&](const auto& button) {
                                 return button->Visible && reaches(button->Bounds);
                             });
    if (captionHere) {
        PaintCaption(dc, w, h);
        captionPainted = true;
        if (m_windowState != WindowState::Minimized && m_menuBarHeight > 0 && m_mdiKind == MdiKind::Frame)
            PaintMdiButtons(dc);
    }
    ::SetViewportOrgEx(dc, 0, 0, nullptr);
    return ::BitBlt(target, area.left, area.top, area.Width(), area.Height(), dc, 0, 0, SRCCOPY) != FALSE;
}

bool TWinSkinForm::PaintNonClient(HDC dc) noexcept {
    if (!SharedScratchBitmap(1, 1)) return false;  // the program is ending
    if (!m_skinData || m_skinData->NoSkin()) return false;
    if (m_skinState != SkinState::Running && m_skinState != SkinState::Reapplying) return false;
    if (m_borderKind == BorderKind::NoCaption) return false;
    if (m_mdiKind == MdiKind::Child && m_windowState == WindowState::Maximized) return false;
    bool painted = false;
    try {
        RECT window{};
        ::GetWindowRect(m_window, &window);
        const int w = window.right - window.left, h = window.bottom - window.top;
        if (w <= 0 || h <= 0) return false;
        const WindowDc own = dc ? WindowDc{m_window, nullptr} : WindowDc::Whole(m_window);
        HDC target = dc ? dc : own.Get();
        if (target) {
            // Strip by strip around the client area, each through a buffer of its size: a
            // buffer of the whole window would be mostly client, and every page of it costs
            // a fault when first touched (3 ms for a maximised window under Wine).
            painted = true;
            bool captionPainted = false;
            for (const FrameStrip& strip :
                 FrameStrips(w, h, m_borders, m_menuBarHeight, m_windowState == WindowState::Minimized))
                painted &= PaintFrameStrip(target, strip, {w, h}, captionPainted);
        }
    } catch (...) {
        LogCurrentException(u"the frame could not be painted");
        painted = false;
    }
    m_hotObject = nullptr;
    return painted;
}

void TWinSkinForm::PaintSysButton(const TWinSysButton& button, int state) noexcept {
    if (!button.Visible || m_skinState == SkinState::Finished) return;
    const WindowDc dc = WindowDc::Whole(m_window);
    if (!dc) return;
    int frame = state;
    if (state == TNCObject::kHot && button.Skin().Visibility == 100) frame = 4;
    PaintCaptionButton(dc.Get(), button, std::min(frame, FrameCountOf(button.Skin())));
}

// --- the mouse ------------------------------------------------------------------------------

LRESULT TWinSkinForm::NonClientMouseMove(WPARAM wParam, LPARAM lParam) {
    if (!m_active) return CallOld(WM_NCMOUSEMOVE, wParam, lParam);
    if (TWinSysButton* found = FindNCObject(ScreenToFrame(PointOf(lParam)))) {
        found->MouseMove();
        return 0;
    }
    if (TMenuBtn* button = MenuButtonAt(PointOf(lParam))) {
        button->MouseMove();
        return 0;
    }
    if (m_hotObject) m_hotObject->MouseLeave();
    return CallOld(WM_NCMOUSEMOVE, wParam, lParam);
}

LRESULT TWinSkinForm::NonClientButtonDown(WPARAM wParam, LPARAM lParam) {
    if (TWinSysButton* found = FindNCObject(ScreenToFrame(PointOf(lParam)))) {
        if (!m_active) ::SetForegroundWindow(m_window);
        found->MouseDown();
        return 0;
    }
    if (TMenuBtn* button = MenuButtonAt(PointOf(lParam))) {
        if (!m_active) ::SetForegroundWindow(m_window);
        button->MouseDown();
        const ComponentRef<TWinSkinForm> self{this};
        OpenMenuButton(button);
        // It stays the hot object, now only hot: the timer lets it go once the mouse leaves.
        if (self && m_hotObject == button) button->MouseUp();
        return 0;
    }
    // A maximised window is not dragged by its caption.
    if (m_windowState == WindowState::Maximized && m_active && wParam == HTCAPTION) wParam = HTMENU;
    return CallOld(WM_NCLBUTTONDOWN, wParam, lParam);
}

LRESULT TWinSkinForm::NonClientButtonUp(WPARAM wParam, LPARAM lParam) {
    TWinSysButton* found = FindNCObject(ScreenToFrame(PointOf(lParam)));
    if (!found && MenuButtonAt(PointOf(lParam))) return 0;  // the press opened its menu already
    if (!found) return CallOld(WM_NCLBUTTONUP, wParam, lParam);
    if (found == m_hotObject && found->State == TNCObject::kPressed) {
        found->MouseUp();
        RunAction(*found);
    }
    return 0;
}

LRESULT TWinSkinForm::NonClientDoubleClick(WPARAM wParam, LPARAM lParam) {
    if (TWinSysButton* found = FindNCObject(ScreenToFrame(PointOf(lParam)))) {
        if (IsIconAction(found->Skin().Action)) {
            StopMouseTimer();
            ::PostMessageW(m_window, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        return 0;
    }
    if (wParam == HTCAPTION) {
        if (m_windowState != WindowState::Normal) {
            m_windowState = WindowState::Normal;
            ::PostMessageW(m_window, WM_SYSCOMMAND, SC_RESTORE, 0);
            return 0;
        }
        if (m_capabilities.maximizeBox) {
            m_windowState = WindowState::Maximized;
            ::PostMessageW(m_window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
            return 0;
        }
    }
    return CallOld(WM_NCLBUTTONDBLCLK, wParam, lParam);
}

LRESULT TWinSkinForm::NonClientRightButtonUp(WPARAM wParam, LPARAM lParam) {
    if (wParam == HTCAPTION && m_mdiKind != MdiKind::Child) {
        ShowSysMenu(PointOf(lParam));
        return 0;
    }
    return CallOld(WM_NCRBUTTONUP, wParam, lParam);
}

void TWinSkinForm::RunAction(const TWinSysButton& button) {
    const int action = button.Skin().Action;
    switch (action) {
    case 0: {
        const PlatformVersion version = RunningVersion();
        const bool allowed = !version.ntFamily || version.major < 5 ||
                             (m_systemMenu && ::GetMenuState(m_systemMenu, SC_CLOSE, MF_BYCOMMAND) != static_cast<UINT>(-1));
        if (!allowed) return;
        StopMouseTimer();
        ::PostMessageW(m_window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return;
    }
    case 1:
    case 22:
        if (m_windowState == WindowState::Maximized) {
            m_windowState = WindowState::Normal;
            ::PostMessageW(m_window, WM_SYSCOMMAND, SC_RESTORE, 0);
        } else {
            if (m_mdiKind == MdiKind::Child)
                if (TSkinManage* manager = TSkinManage::Instance()) manager->SetMdiMaximized(true);
            m_windowState = WindowState::Maximized;
            ::PostMessageW(m_window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
            m_hotObject = nullptr;
        }
        return;
    case 2:
    case 23:
        if (m_windowState == WindowState::Minimized) {
            m_windowState = WindowState::Normal;
            ::PostMessageW(m_window, WM_SYSCOMMAND, SC_RESTORE, 0);
        } else {
            m_windowState = WindowState::Minimized;
            SetSysMenuStyle(false);
            ::PostMessageW(m_window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        }
        return;
    case 3:
    case 11:
    case 12: {
        POINT at{};
        ::GetCursorPos(&at);
        ShowSysMenu({at.x + 1, at.y + 1});
        return;
    }
    case 7:
    case 60:
    case 8:
    case 61:
    case 9:
    case 62: {
        if (m_mdiKind != MdiKind::Frame) return;
        HWND client = ChildOfClass(m_window, L"MDIClient");
        HWND activeChild = client ? reinterpret_cast<HWND>(::SendMessageW(client, WM_MDIGETACTIVE, 0, 0)) : nullptr;
        if (!activeChild) return;
        const WPARAM command = (action == 7 || action == 60) ? SC_MINIMIZE : (action == 8 || action == 61) ? SC_RESTORE : SC_CLOSE;
        ::SendMessageW(activeChild, WM_SYSCOMMAND, command, 0);
        return;
    }
    default: ::PostMessageW(m_window, WMX_CAPTIONACTION, static_cast<WPARAM>(action), 0); return;
    }
}

void TWinSkinForm::ShowSysMenu(core::Point screen) {
    const DWORD now = ::GetTickCount();
    if (now - m_lastSysMenuTime > m_doubleClickTime) {
        m_lastSysMenuTime = now;
        if (ShowSkinnedSysMenu(screen)) return;
        if (TSkinManage* manager = TSkinManage::Instance()) manager->SetMenuKind(TSkinManage::kSystemMenu);
        HMENU menu = ::GetSystemMenu(m_window, FALSE);
        if (!menu) return;
        // The window's own system menu, its items enabled for the window's state.
        const bool normal = m_windowState == WindowState::Normal;
        ::EnableMenuItem(menu, SC_RESTORE, MF_BYCOMMAND | (normal ? MF_GRAYED : MF_ENABLED));
        ::EnableMenuItem(menu, SC_MAXIMIZE, MF_BYCOMMAND |
                                                (m_windowState != WindowState::Maximized && m_capabilities.maximizeBox
                                                     ? MF_ENABLED
                                                     : MF_GRAYED));
        ::EnableMenuItem(menu, SC_MINIMIZE, MF_BYCOMMAND |
                                                (m_windowState != WindowState::Minimized && m_capabilities.minimizeBox
                                                     ? MF_ENABLED
                                                     : MF_GRAYED));
        ::EnableMenuItem(menu, SC_MOVE, MF_BYCOMMAND | (normal ? MF_ENABLED : MF_GRAYED));
        ::EnableMenuItem(menu, SC_SIZE, MF_BYCOMMAND | (normal && m_borderKind == BorderKind::Sizeable ? MF_ENABLED : MF_GRAYED));
        const UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON | (m_rightToLeft ? TPM_RIGHTALIGN : TPM_LEFTALIGN);
        const auto command = static_cast<UINT>(::TrackPopupMenu(menu, flags, screen.x, screen.y, 0, m_window, nullptr));
        if (command) ::PostMessageW(m_window, WM_SYSCOMMAND, command, 0);
        return;
    }
    // A second click within the double-click time on a caption button closes the window.
    if (m_hotObject) {
        StopMouseTimer();
        ::PostMessageW(m_window, WM_CLOSE, 0, 0);
    }
}

TMenuBtn* TWinSkinForm::MenuButtonAt(core::Point screen) const noexcept {
    const TWinSkinMenu* bar = m_menuBar.Get();
    return bar ? bar->FindMenuButton(ScreenToFrame(screen)) : nullptr;
}

void TWinSkinForm::MouseTimer() {
    if (m_trackingMenu) return;  // the open menu has the mouse
    POINT cursor{};
    ::GetCursorPos(&cursor);
    if (m_hotObject && !m_hotObject->Bounds.Contains(ScreenToFrame({cursor.x, cursor.y}))) m_hotObject->MouseLeave();
    // A bare window's control skin learns here that the mouse left it.
    if (TSkinControl* hover = m_hoverControl.Get()) {
        RECT bounds{};
        if (!::GetWindowRect(hover->Handle(), &bounds) || !::PtInRect(&bounds, cursor)) {
            m_hoverControl = nullptr;
            ::SendMessageW(hover->Handle(), kMsgMouseLeave, 0, 0);
        }
    }
}
