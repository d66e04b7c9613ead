#pragma once
// Plays a movie file in a window that the caller owns: reads and parses the file,
// runs the timeline on a message-driven timer at the movie's frame rate (looping by
// default), and paints the current frame "show all" from a DIB-section frame buffer.
// The host forwards WM_PAINT to Paint; everything runs on the host's UI thread.

#include "flash/SwfMovie.h"
#include "flash/SwfRenderer.h"
#include "flash/SwfTimeline.h"
#include "framework/win/DibSection.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include <windows.h>

class MoviePlayer {
public:
    // `host` may be null until the host window exists; see SetHost.
    explicit MoviePlayer(HWND host) noexcept;
    ~MoviePlayer();
    MoviePlayer(const MoviePlayer&) = delete;
    MoviePlayer& operator=(const MoviePlayer&) = delete;

    // Stops and replaces the movie with the file's. A missing, unreadable, corrupt or
    // truncated file leaves the player empty: false, and LastError() says why.
    bool Load(std::wstring_view path);
    void Unload() noexcept;
    // Play starts the timer at the current frame; without a movie or a host window it
    // does nothing.
    void Play() noexcept;
    void Stop() noexcept;
    // The next frame, as one timer tick does; after the last frame, the first again
    // when looping, otherwise playback stops.
    void Advance() noexcept;

    // Moves the player to another host window (or none, when the host's window goes):
    // the timer lives on the host, so a playing movie stops and starts again there.
    void SetHost(HWND host) noexcept;

    bool IsPlaying() const noexcept { return m_timer != 0; }
    bool HasMovie() const noexcept { return m_movie != nullptr; }
    void SetLoop(bool loop) noexcept { m_loop = loop; }
    bool Loop() const noexcept { return m_loop; }
    size_t CurrentFrame() const noexcept { return m_timeline.CurrentFrame(); }
    size_t FrameCount() const noexcept { return m_timeline.FrameCount(); }
    const std::u16string& LastError() const noexcept { return m_error; }
    // Milliseconds between frames: the movie's rate, 12 per second when it gives none.
    unsigned FrameInterval() const noexcept;

    // Draws the current frame scaled into `area` of `dc`; an empty player paints the
    // window colour. Never throws; false when nothing could be drawn.
    bool Paint(HDC dc, const RECT& area) noexcept;

private:
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD) noexcept;
    void Invalidate() const noexcept;

    HWND m_host;
    std::shared_ptr<const SwfMovie> m_movie;
    SwfTimeline m_timeline;
    SwfRenderer m_renderer;
    DibSection m_frame;
    bool m_loop = true;
    bool m_dirty = true;  // the frame buffer no longer shows the current frame
    UINT_PTR m_timer = 0;
    std::u16string m_error;
};
