#include "framework/controls/Menus.h"

#include "framework/win/Win32Error.h"

TMainMenu::~TMainMenu() {
    if (m_handle) ::DestroyMenu(m_handle);
}

HMENU TMainMenu::Handle() {
    if (!m_handle) {
        m_handle = ::CreateMenu();
        if (!m_handle) throw Win32Error::Last(u"CreateMenu");
    }
    return m_handle;
}
