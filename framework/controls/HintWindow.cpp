#include "framework/controls/HintWindow.h"

#include <algorithm>

THintWindow::THintWindow() {
    TControl::SetVisible(false);
    SetColor(clInfoBk);
    SetParentFont(false);
    Font().SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.style = WS_POPUP | WS_BORDER;
    params.exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    params.parent = nullptr;
    params.classStyle |= CS_SAVEBITS;
}

void THintWindow::ActivateHint(core::Point at, std::wstring_view text) {
    SetCaption(text);
    HWND window = Handle();
    // Measured in the hint's font, wrapped at a third of the screen.
    RECT box{0, 0, std::max(100, ::GetSystemMetrics(SM_CXSCREEN) / 3), 0};
    {
        HDC dc = ::GetDC(window);
        SelectScope useFont{dc, FontHandle()};
        ::DrawTextW(dc, Caption().c_str(), static_cast<int>(Caption().size()), &box,
                    DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        ::ReleaseDC(window, dc);
    }
    const int width = box.right + 8;
    const int height = box.bottom + 6;
    // Kept on the screen.
    const int x = std::clamp(at.x, 0, std::max(0, ::GetSystemMetrics(SM_CXSCREEN) - width));
    const int y = std::clamp(at.y, 0, std::max(0, ::GetSystemMetrics(SM_CYSCREEN) - height));
    ::SetWindowPos(window, HWND_TOPMOST, x, y, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    ::InvalidateRect(window, nullptr, TRUE);
}

void THintWindow::ReleaseHint() {
    if (HWND window = HandleIfAllocated()) ::ShowWindow(window, SW_HIDE);
}

bool THintWindow::IsShowing() const noexcept {
    HWND window = HandleIfAllocated();
    return window && ::IsWindowVisible(window);
}

bool THintWindow::Paint(HDC dc, const RECT& box) noexcept {
    ::FillRect(dc, &box, Brush());
    SelectScope useFont{dc, FontHandle()};
    SavedDc keep{dc};
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ColorToRGB(Font().Color()));
    RECT text = box;
    ::InflateRect(&text, -3, -2);
    return ::DrawTextW(dc, Caption().c_str(), static_cast<int>(Caption().size()), &text,
                       DT_WORDBREAK | DT_NOPREFIX) != 0;
}
