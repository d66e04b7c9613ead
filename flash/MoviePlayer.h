#pragma once
// Plays a movie file in a window that the caller owns: reads and parses the file,
// runs the timeline on a message-driven timer at the movie's frame rate while it has
// a host window (looping by default), runs the movie's actions and buttons under the
// mouse, plays its sounds, and paints the current frame "show all" from a DIB-section
// frame buffer. The host forwards WM_PAINT to Paint and its mouse messages to
// HandleMessage; everything runs on the host's UI thread.

#include "flash/SwfMovie.h"
#include "flash/SwfRenderer.h"
#include "flash/SwfStage.h"
#include "flash/WaveOutput.h"
#include "framework/win/DibSection.h"
#include "framework/win/MouseLeaveTracker.h"
#include "framework/win/WindowTimer.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <windows.h>

class MoviePlayer {
public:
    // `host` may be null until the host window exists; see SetHost.
    explicit MoviePlayer(HWND host, WaveSinkFactory sound = MakeSystemWaveSink) noexcept;
    ~MoviePlayer();
    MoviePlayer(const MoviePlayer&) = delete;
    MoviePlayer& operator=(const MoviePlayer&) = delete;

    // Stops and replaces the movie with the file's. A missing, unreadable, corrupt or
    // truncated file leaves the player empty: false, and LastError() says why.
    bool Load(std::wstring_view path);
    void Unload() noexcept;
    // Play starts the timeline at the current frame (the first frame's actions may stop
    // it again at once); without a movie it does nothing, and without a host window the
    // frames do not move on.
    void Play() noexcept;
    // Stops the timeline and every sound of the movie.
    void Stop() noexcept;
    // The next frame, as one timer tick does even when the movie stands still; after
    // the last frame, the first again when looping, otherwise playback stops.
    void Advance() noexcept;

    // Moves the player to another host window (or none, when the host's window goes):
    // without a host the frame timer stands still.
    void SetHost(HWND host) noexcept;

    // The mouse messages of the host (WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP,
    // WM_LBUTTONDBLCLK, WM_MOUSELEAVE, WM_CAPTURECHANGED, WM_SETCURSOR): the movie's
    // buttons see the pointer. True when the message is answered (`result` holds the
    // answer) and the host's own handling must not run: only WM_SETCURSOR over a
    // button, which shows a hand.
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) noexcept;

    bool IsPlaying() const noexcept { return m_timer.Running(); }
    bool HasMovie() const noexcept { return m_movie != nullptr; }
    void SetLoop(bool loop) noexcept { m_stage.SetLoop(m_loop = loop); }
    bool Loop() const noexcept { return m_loop; }
    size_t CurrentFrame() const noexcept { return m_stage.CurrentFrame(); }
    size_t FrameCount() const noexcept { return m_stage.FrameCount(); }
    const SwfStage& Stage() const noexcept { return m_stage; }
    const WaveOutput& Sound() const noexcept { return m_sound; }
    const std::u16string& LastError() const noexcept { return m_error; }
    // Milliseconds between frames: the movie's rate, 12 per second when it gives none.
    unsigned FrameInterval() const noexcept;

    // Draws the current frame scaled into `area` of `dc`; an empty player paints the
    // window colour. Never throws; false when nothing could be drawn.
    bool Paint(HDC dc, const RECT& area) noexcept;

private:
    void Tick() noexcept;
    // The stage could not go on (out of memory in an action): it stops, and the log says why.
    void StopAfterFailure(std::u16string_view what) noexcept;
    void Invalidate() const noexcept;
    // Plays the stage's sound requests, repaints when its picture changed and runs the
    // timer while the movie plays.
    void Sync() noexcept;
    void StopTimer() noexcept;
    // The stage point (twips) under a client point, through the area last painted.
    std::optional<std::pair<double, double>> ToStage(LPARAM clientPoint) const noexcept;

    HWND m_host;
    std::shared_ptr<const SwfMovie> m_movie;
    SwfStage m_stage;
    SwfRenderer m_renderer;
    DibSection m_frame;
    WaveOutput m_sound;
    bool m_loop = true;
    bool m_dirty = true;  // the frame buffer no longer shows the current frame
    MouseLeaveTracker m_leave;
    RECT m_area{};        // where the last frame was painted, client pixels
    WindowTimer m_timer{[this] { Tick(); }};
    std::u16string m_error;
};
