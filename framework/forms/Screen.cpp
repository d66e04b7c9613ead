#include "framework/forms/Screen.h"

#include "framework/forms/Form.h"

#include <algorithm>

TScreen* Screen = nullptr;

TScreen::TScreen() {
    if (!Screen) Screen = this;
    // The size of the structure this program is built for (no padded border before
    // Vista), which every later system accepts too.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        m_menuFont.SetLogFont(metrics.lfMenuFont);
    } else {
        LOGFONTW stock{};
        if (::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof stock, &stock)) m_menuFont.SetLogFont(stock);
    }
}

TScreen::~TScreen() {
    if (Screen == this) Screen = nullptr;
}

TCustomForm* TScreen::Forms(int index) const noexcept {
    if (index < 0 || index >= FormCount()) return nullptr;
    return m_forms[static_cast<size_t>(index)];
}

void TScreen::AddForm(TCustomForm& form) { m_forms.push_back(&form); }

void TScreen::RemoveForm(TCustomForm& form) noexcept {
    std::erase(m_forms, &form);
    if (m_activeForm == &form) m_activeForm = nullptr;
}

void TScreen::SetCursor(TCursor value) {
    if (value == m_cursor) return;
    m_cursor = value;
    // Shown now; the windows keep it up at each WM_SETCURSOR.
    ::SetCursor(CursorHandle(value == crDefault ? crArrow : value));
}

int TScreen::PixelsPerInch() const noexcept {
    HDC dc = ::GetDC(nullptr);
    const int dpi = dc ? ::GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc) ::ReleaseDC(nullptr, dc);
    return dpi;
}

HCURSOR CursorHandle(TCursor cursor) noexcept {
    const wchar_t* id = IDC_ARROW;
    switch (cursor) {
    case crNone: return nullptr;
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeNESW: id = IDC_SIZENESW; break;
    case crSizeNS:
    case crVSplit: id = IDC_SIZENS; break;
    case crSizeNWSE: id = IDC_SIZENWSE; break;
    case crSizeWE:
    case crHSplit: id = IDC_SIZEWE; break;
    case crUpArrow: id = IDC_UPARROW; break;
    case crHourGlass: id = IDC_WAIT; break;
    case crNo: id = IDC_NO; break;
    case crAppStart: id = IDC_APPSTARTING; break;
    case crHelp: id = IDC_HELP; break;
    case crHandPoint: id = IDC_HAND; break;
    case crSizeAll: id = IDC_SIZEALL; break;
    default: break;
    }
    return ::LoadCursorW(nullptr, id);
}
