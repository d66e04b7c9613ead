#pragma once
// Test support for the movie player: a window that hosts it as the framework control
// does (paints through it, hands it the mouse).

#include "flash/MoviePlayer.h"
#include "flash/WaveOutput.h"
#include "framework/win/Handles.h"
#include "tests/support/PumpMessages.h"
#include "tests/support/TempFiles.h"
#include "tests/support/WaveLog.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <windows.h>

class PlayerHost {
public:
    PlayerHost(int x, int y, int width, int height, bool visible) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KestrellePlayerHost";
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        ::RegisterClassW(&wc);
        m_window = ::CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP | (visible ? WS_VISIBLE : 0), x, y,
                                     width, height, nullptr, nullptr, wc.hInstance, nullptr);
        if (visible) ::SetForegroundWindow(m_window);
    }
    ~PlayerHost() { ::DestroyWindow(m_window); }
    PlayerHost(const PlayerHost&) = delete;
    PlayerHost& operator=(const PlayerHost&) = delete;

    HWND Window() const { return m_window; }
    void Attach(MoviePlayer* player) { ::SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(player)); }

    // Handles messages until `done` holds; false after `limit` milliseconds.
    template <class Done>
    bool PumpUntil(Done done, DWORD limit = 3000) {
        return ::PumpUntil(done, limit);
    }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
        auto* player = reinterpret_cast<MoviePlayer*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (player && message == WM_PAINT) {
            PaintScope paint{window};
            RECT client{};
            ::GetClientRect(window, &client);
            player->Paint(paint.Dc(), client);
            return 0;
        }
        LRESULT result = 0;
        if (player && player->HandleMessage(message, wParam, lParam, result)) return result;
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    HWND m_window = nullptr;
};

inline std::wstring WriteTempMovie(const wchar_t* name, const std::vector<uint8_t>& bytes) {
    const std::wstring path = TempFile(name);
    WriteBytes(path, bytes);
    return path;
}
