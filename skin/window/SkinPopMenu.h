#pragma once
// Skins one menu window ("#32768") of the program: its frame and background come from
// the skin's menu-background picture, sliced to the window's size; the owner-drawn
// items then draw themselves over that picture (the item painters read it through the
// manager's MenuBitmapOf). The skin manager makes one per menu window that opens while
// skinning is on, and frees it when the window is destroyed.

#include "framework/graphics/Bitmap.h"
#include "framework/win/Subclasser.h"

#include <cstdint>
#include <memory>

#include <windows.h>

class TSkinData;

class TWinSkinPopMenu {
public:
    TWinSkinPopMenu() noexcept;
    ~TWinSkinPopMenu();
    TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
    TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

    // Subclasses the menu window. `kind` is the manager's menu kind at creation. Throws
    // Win32Error when the window cannot be subclassed; nothing is changed then.
    void Attach(HWND menuWindow, TSkinData& skinData, int32_t kind);
    // Gives the window its procedure back and drops the picture.
    void Detach() noexcept;

    HWND Window() const noexcept { return m_window; }
    int32_t Kind() const noexcept { return m_kind; }
    // The menu the window shows, once an item painter has told (AssignMenuHandle).
    HMENU Menu() const noexcept { return m_menu; }
    void SetMenu(HMENU menu) noexcept { m_menu = menu; }

    // The background sliced to the window's size, made on first need; null without a
    // background picture in the skin. Owned by this object until the next size change.
    const TBitmap* Picture() noexcept;
    // The frame strips and the background into `windowDc` (window coordinates).
    bool PaintFrame(HDC windowDc) noexcept;
    // The frame strips alone.
    bool PaintStrips(HDC windowDc) noexcept;
    // The menu-animation snapshot: the background, then the window's own print
    // clipped inside the frame.
    bool Print(HDC dc, LPARAM flags) noexcept;

    // The width of the frame every menu window of the skin draws.
    static constexpr int kFrame = 3;

private:
    class Router;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT CallOld(UINT message, WPARAM wParam, LPARAM lParam) const noexcept;

    HWND m_window = nullptr;
    TSkinData* m_skinData = nullptr;
    HMENU m_menu = nullptr;
    int32_t m_kind = 0;
    SubclasserPtr<Router> m_router;
    std::unique_ptr<TBitmap> m_picture;
};
