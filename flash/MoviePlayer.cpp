#include "flash/MoviePlayer.h"

#include "flash/SwfError.h"
#include "framework/core/FailureLog.h"
#include "framework/core/Strings.h"
#include "framework/win/Files.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <utility>
#include <vector>

namespace {

constexpr size_t kMaxMovieFile = SwfLimits{}.maxFileSize;

std::vector<std::byte> ReadMovieFile(std::wstring_view path) {
    std::vector<std::byte> bytes;
    // The movie is read whole and the file let go, so others may keep using it.
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    switch (ReadWholeFile(std::wstring{path}, kMaxMovieFile, bytes, share)) {
    case TWholeFileRead::Done:
        return bytes;
    case TWholeFileRead::CannotOpen:
        throw ESwfError(u"The movie file cannot be opened.");
    case TWholeFileRead::TooLarge:
        throw ESwfError(u"The movie is larger than the player accepts.");
    case TWholeFileRead::CannotRead:
        break;
    }
    throw ESwfError(u"The movie file cannot be read.");
}

}  // namespace

MoviePlayer::MoviePlayer(HWND host, WaveSinkFactory sound) noexcept : m_host{host}, m_sound{std::move(sound)} {}

MoviePlayer::~MoviePlayer() { Stop(); }

bool MoviePlayer::Load(std::wstring_view path) {
    Stop();
    Unload();
    try {
        const std::vector<std::byte> bytes = ReadMovieFile(path);
        m_movie = std::make_shared<const SwfMovie>(
            SwfMovie::Parse({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}));
        m_stage = SwfStage{m_movie};
        m_stage.SetLoop(m_loop);
        m_error.clear();
        return true;
    } catch (const ESwfError& e) {
        m_error = e.Message();
    } catch (const std::exception&) {
        m_error = u"Not enough memory for the movie.";
    }
    Unload();
    return false;
}

void MoviePlayer::Unload() noexcept {
    // First, so that what the lost capture makes the old movie do is stopped below.
    if (m_stage.IsPressing() && m_host && ::GetCapture() == m_host) ::ReleaseCapture();
    Stop();
    m_movie.reset();
    m_stage = SwfStage{};
    m_dirty = true;
    Invalidate();
}

unsigned MoviePlayer::FrameInterval() const noexcept {
    const double rate = m_movie ? m_movie->FrameRate() : 0;
    if (!(rate > 0)) return 1000 / 12;
    return static_cast<unsigned>(std::clamp(std::lround(1000.0 / rate), 10L, 60000L));
}

void MoviePlayer::SetHost(HWND host) noexcept {
    StopTimer();  // the timer lives on the old host...
    m_host = host;
    m_leave.Reset();  // a leave notice asked of the old host never comes here
    m_dirty = true;
    Sync();  // ...and on the new one while the movie plays
}

void MoviePlayer::Play() noexcept {
    if (!m_movie) return;
    try {
        m_stage.Play();
    } catch (...) {
        StopAfterFailure(u"The movie could not start");
    }
    Sync();
}

void MoviePlayer::Stop() noexcept {
    m_stage.Stop();
    StopTimer();
    m_sound.StopAll();
}

void MoviePlayer::StopTimer() noexcept { m_timer.Stop(); }

void MoviePlayer::StopAfterFailure(std::u16string_view what) noexcept {
    LogCurrentException(what);
    m_stage.Stop();  // the last frame stays shown
}

void MoviePlayer::Advance() noexcept {
    try {
        m_stage.Step();
    } catch (...) {
        StopAfterFailure(u"The movie stopped on a frame it could not show");
    }
    Sync();
}

void MoviePlayer::Sync() noexcept {
    for (const auto& request : m_stage.TakeSoundRequests()) {
        if (request.kind == SwfSoundRequest::Kind::StopAll) {
            m_sound.StopAll();
            continue;
        }
        const SwfSound* sound = m_movie ? m_movie->FindSound(request.sound) : nullptr;
        // The voice shares ownership of the whole movie, which holds the samples.
        if (sound) m_sound.Start(std::shared_ptr<const SwfSound>(m_movie, sound), request.info);
    }
    if (m_stage.TakeChanged()) {
        m_dirty = true;
        Invalidate();
    }
    if (!m_stage.IsPlaying()) {
        StopTimer();
    } else if (!m_timer.Running() && m_host) {
        try {
            m_timer.Start(FrameInterval());
        } catch (...) {
            StopAfterFailure(u"The movie has no frame timer");
        }
    }
}

void MoviePlayer::Tick() noexcept {
    try {
        m_stage.Tick();
    } catch (...) {
        StopAfterFailure(u"The movie stopped on a frame it could not show");
    }
    Sync();
}

void MoviePlayer::Invalidate() const noexcept {
    if (m_host) ::InvalidateRect(m_host, nullptr, FALSE);
}

std::optional<std::pair<double, double>> MoviePlayer::ToStage(LPARAM clientPoint) const noexcept {
    if (!m_movie) return std::nullopt;
    RECT area = m_area;
    if (area.right <= area.left || area.bottom <= area.top) ::GetClientRect(m_host, &area);
    const auto toView =
        ShowAllViewport(m_movie->FrameSize(), area.right - area.left, area.bottom - area.top).stageToView.Inverse();
    if (!toView) return std::nullopt;
    const double x = static_cast<short>(LOWORD(clientPoint)) - area.left + 0.5;
    const double y = static_cast<short>(HIWORD(clientPoint)) - area.top + 0.5;
    return std::pair{toView->MapX(x, y), toView->MapY(x, y)};
}

bool MoviePlayer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) noexcept {
    if (!m_movie || !m_host) return false;
    try {
        switch (message) {
        case WM_MOUSEMOVE:
            if (const auto at = ToStage(lParam)) m_stage.PointerMove(at->first, at->second, wParam & MK_LBUTTON);
            m_leave.Track(m_host);
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (const auto at = ToStage(lParam)) m_stage.PointerDown(at->first, at->second);
            // Held on a button, the release counts wherever it happens.
            if (m_stage.IsPressing()) ::SetCapture(m_host);
            break;
        case WM_LBUTTONUP:
            if (const auto at = ToStage(lParam)) m_stage.PointerUp(at->first, at->second);
            // After the release is handled: losing the capture ends a press that is still held.
            if (::GetCapture() == m_host) ::ReleaseCapture();
            break;
        case WM_MOUSELEAVE:
            m_leave.Reset();
            m_stage.PointerLeave();
            break;
        case WM_CAPTURECHANGED:
            // Capture taken away mid-press (a menu, another window): the press ends off the button.
            if (m_stage.IsPressing() && reinterpret_cast<HWND>(lParam) != m_host) m_stage.PointerUp(-1e9, -1e9);
            break;
        case WM_SETCURSOR: {
            if (LOWORD(lParam) != HTCLIENT) return false;
            POINT p{};
            ::GetCursorPos(&p);
            ::ScreenToClient(m_host, &p);
            const auto at = ToStage(MAKELPARAM(p.x, p.y));
            if (!at || !(m_stage.ButtonUnder(at->first, at->second) || m_stage.IsPressing())) return false;
            ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
            result = TRUE;
            Sync();
            return true;
        }
        default:
            return false;
        }
    } catch (...) {
        // Out of memory in an action: the pointer's effect is lost, the movie goes on.
        LogCurrentException(u"The movie lost a pointer event");
    }
    Sync();
    return false;
}

bool MoviePlayer::Paint(HDC dc, const RECT& area) noexcept {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;
    if (!m_movie) return ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_WINDOW)) != 0;
    m_area = area;
    try {
        if (m_frame.Width() != width || m_frame.Height() != height) m_dirty = true;
        if (m_dirty) {
            if (!m_frame.EnsureSize(width, height)) return false;
            const PixelView whole = m_frame.View();
            m_renderer.Render(*m_movie, m_stage.Timeline().DisplayList(), PixelView(width, height, whole.stride, whole.pixels));
            m_dirty = false;
        }
        return ::BitBlt(dc, area.left, area.top, width, height, m_frame.Dc(), 0, 0, SRCCOPY) != 0;
    } catch (...) {
        return false;
    }
}
