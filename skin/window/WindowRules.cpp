#include "skin/window/WindowRules.h"

#include <algorithm>

BorderKind BorderKindOf(uint32_t style, uint32_t exStyle, bool isDialogClass) noexcept {
    BorderKind kind = BorderKind::Single;
    if ((style & winstyle::kCaption) != winstyle::kCaption) kind = BorderKind::NoCaption;
    else if (style & winstyle::kThickFrame) kind = BorderKind::Sizeable;
    else if (style & winstyle::kModalFrame) kind = BorderKind::Dialog;
    if (exStyle & winstyle::kExDlgModalFrame) kind = BorderKind::Dialog;
    if (isDialogClass) kind = BorderKind::Dialog;
    return kind;
}

WindowState WindowStateOf(unsigned showCommand) noexcept {
    switch (showCommand) {
    case 2:  // minimized
    case 6:  // minimize
    case 7:  // minimized, not active
        return WindowState::Minimized;
    case 3: return WindowState::Maximized;
    default: return WindowState::Normal;
    }
}

Capabilities CapabilitiesOf(uint32_t style, uint32_t exStyle, bool hasSystemMenu, bool hasOwner,
                            const PlatformVersion& version) noexcept {
    Capabilities caps;
    caps.systemMenu = (style & winstyle::kSysMenu) || hasSystemMenu;
    caps.minimizeBox = style & winstyle::kMinimizeBox;
    caps.maximizeBox = style & winstyle::kMaximizeBox;
    const bool version50 = version.major > 4 && version.minor == 0;
    const bool mdiChild = exStyle & winstyle::kExMdiChild;
    caps.stripCaption = ((exStyle & winstyle::kExAppWindow) && version.ntFamily && version50) ||
                        (!hasOwner && !mdiChild && version50);
    return caps;
}

namespace {

// The part of the visibility test both codes read alike; Undecided where they differ.
enum class Shown { No, Yes, Undecided };

Shown CommonRule(int code, const CaptionFacts& facts) {
    const bool maximized = facts.state == WindowState::Maximized;
    if (code < 0 || (code >= 10 && code <= 99) || (code >= 101 && code <= 199) || code > 2000) return Shown::No;
    switch (code) {
    case 0: return Shown::Yes;
    case 1: return maximized ? Shown::Yes : Shown::No;
    case 2: return maximized ? Shown::No : Shown::Yes;
    case 3: return facts.active ? Shown::Yes : Shown::No;
    case 4: return facts.active ? Shown::No : Shown::Yes;
    case 5: return Shown::No;
    case 7: return facts.capabilities.maximizeBox ? Shown::No : Shown::Yes;
    case 9: return facts.capabilities.minimizeBox ? Shown::No : Shown::Yes;
    case 200:
        // A dialog-framed window of the program's own, not a system dialog.
        return facts.border == BorderKind::Dialog && !facts.isDialogClass ? Shown::Yes : Shown::No;
    default: break;
    }
    if (code >= 201 && code <= 999) return Shown::Yes;
    return Shown::Undecided;  // 6, 8, 100 and 1000 to 2000 differ between the two codes
}

bool FirstHalf(const CaptionButtonRule& button, const CaptionFacts& facts) {
    const int code = button.visibility;
    if (const Shown common = CommonRule(code, facts); common != Shown::Undecided) return common == Shown::Yes;
    const Capabilities& caps = facts.capabilities;
    if (code == 6) return caps.maximizeBox && caps.systemMenu;
    if (code == 8) return caps.minimizeBox && caps.systemMenu;
    if (code == 100) return facts.mdiChildButtonsInMenuBar;
    return facts.askHost && facts.askHost(code, button.action);  // 1000 to 2000: the window decides
}

bool SecondHalf(const CaptionButtonRule& button, const CaptionFacts& facts, bool firstHalf) {
    const int code = button.visibility1;
    if (const Shown common = CommonRule(code, facts); common != Shown::Undecided) return common == Shown::Yes;
    if (code == 6) return facts.capabilities.maximizeBox;
    if (code == 8) return facts.capabilities.minimizeBox;
    if (code == 100) return firstHalf;
    return true;  // 1000 to 2000
}

}  // namespace

bool CaptionButtonVisible(const CaptionButtonRule& button, const CaptionFacts& facts) {
    const bool first = FirstHalf(button, facts);
    if (!first || !SecondHalf(button, facts, first)) return false;
    const Capabilities& caps = facts.capabilities;
    switch (button.action) {
    case 0: return caps.systemMenu;
    case 1: return caps.maximizeBox;
    case 2: return caps.minimizeBox;
    case 3:
    case 11:
    case 12:
        // The icon opens the system menu: as on a system frame, no menu, no icon; and none
        // on dialogs and tool windows.
        return facts.border != BorderKind::Dialog && caps.systemMenu && !facts.toolWindow;
    default: return true;
    }
}

core::Rect CaptionButtonBounds(const CaptionButtonRule& button, core::Size size, const CaptionGeometry& g) noexcept {
    core::Point at{};
    switch (button.align) {
    case 0: at = {button.xcoord, button.ycoord}; break;
    case 1: at = {g.windowWidth - button.xcoord, button.ycoord}; break;
    case 2:
    case 8: at = {g.captionTextLeft - size.width - button.xcoord, button.ycoord}; break;
    case 3:
    case 9: at = {g.captionTextRight + button.xcoord, button.ycoord}; break;
    case 100:
        // The buttons of a maximised MDI child sit in the menu bar, at its far end.
        at.x = g.rightToLeft ? button.xcoord + g.menuBarLeftWidth + g.leftBorder
                             : g.windowWidth - button.xcoord - g.rightBorder - g.menuBarLeftWidth;
        at.y = g.topHeight + (g.menuBarHeight - size.height) / 2;
        break;
    default: break;
    }
    return core::Rect::FromBounds(at.x, at.y, size.width, size.height);
}

core::Rect ClientInFrame(const core::Rect& window, const FrameBorders& borders, int menuBarHeight) noexcept {
    return {window.left + borders.left, window.top + borders.top + menuBarHeight, window.right - borders.right,
            window.bottom - borders.bottom};
}

std::vector<FrameStrip> FrameStrips(int width, int height, const FrameBorders& borders, int menuBarHeight,
                                    bool minimized) {
    std::vector<FrameStrip> strips;
    if (width <= 0 || height <= 0) return strips;
    if (minimized) {
        strips.push_back({{0, 0, width, height}, false});
        return strips;
    }
    // Hostile sizes are clamped to the window; the client between them may be empty.
    const auto within = [](int64_t value, int high) { return static_cast<int>(std::clamp<int64_t>(value, 0, high)); };
    const int top = within(int64_t{borders.top} + menuBarHeight, height);
    const int bottom = std::max(top, within(int64_t{height} - borders.bottom, height));
    const int left = within(borders.left, width);
    const int right = within(int64_t{width} - borders.right, width);
    const FrameStrip all[] = {{{left, 0, right, top}, false},
                              {{left, bottom, right, height}, false},
                              {{0, 0, left, height}, true},
                              {{right, 0, width, height}, true}};
    for (const FrameStrip& strip : all)
        if (!strip.rect.IsEmpty()) strips.push_back(strip);
    return strips;
}

int CaptionHitTest(int systemAnswer, core::Point framePoint, int topHeight, int menuBarHeight) noexcept {
    if (systemAnswer != kHitNowhere && systemAnswer != kHitCaption) return systemAnswer;
    int answer = systemAnswer;
    if (framePoint.y > 3) answer = kHitCaption;
    if (framePoint.y > topHeight && menuBarHeight > 0) answer = kHitMenu;
    return answer;
}

int BorderFrame(bool active, int frameCount) noexcept { return active || frameCount < 2 ? 1 : 2; }

int CaptionButtonFrame(bool active, int frameCount) noexcept { return !active && frameCount >= 4 ? 4 : 1; }

int CaptionButtonAt(std::span<const CaptionButtonHit> buttons, core::Point framePoint) noexcept {
    for (size_t i = 0; i < buttons.size(); ++i) {
        const CaptionButtonHit& b = buttons[i];
        if (b.visible && b.action >= 0 && b.bounds && b.bounds->Contains(framePoint)) return static_cast<int>(i);
    }
    return -1;
}

DialogWidening WidenForCaption(int windowWidth, int textWidth, int textShift, int rightClip) noexcept {
    const int needed = textShift + textWidth + rightClip;
    if (windowWidth >= needed) return {windowWidth, 0};
    return {needed, (needed - windowWidth) / 2};
}

CaptionAlignment CaptionAlignmentOf(int textAlignment) noexcept {
    switch (textAlignment) {
    case 1: return CaptionAlignment::Right;
    case 2: return CaptionAlignment::Centre;
    default: return CaptionAlignment::Left;
    }
}

core::Rect CaptionTextBox(const CaptionText& t) noexcept {
    const int roomLeft = std::max(0, t.textShift);
    const int roomRight = std::max(roomLeft, t.windowWidth - std::max(0, t.rightClip));
    const int width = std::min(std::max(0, t.textWidth), roomRight - roomLeft);
    int left = roomLeft;
    if (t.alignment == CaptionAlignment::Right) left = roomRight - width;
    else if (t.alignment == CaptionAlignment::Centre) left = roomLeft + (roomRight - roomLeft - width) / 2;
    const int top = (t.captionHeight - t.textHeight) / 2 + t.textShiftVert;
    return core::Rect::FromBounds(left, top, width, t.textHeight);
}
