#include "flash/MoviePlayer.h"

#include "flash/SwfError.h"
#include "framework/Strings.h"
#include "framework/win/Handles.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <set>
#include <vector>

namespace {

// Players alive on this thread. A WM_TIMER already queued when its player was
// destroyed still reaches TimerProc, which then finds its id here no more.
std::set<const MoviePlayer*>& LivePlayers() {
    static std::set<const MoviePlayer*> players;
    return players;
}

constexpr size_t kMaxMovieFile = SwfLimits{}.maxFileSize;

std::vector<uint8_t> ReadMovieFile(std::wstring_view path) {
    const std::wstring name{path};
    KernelHandle file{::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (!file) throw ESwfError(u"The movie file cannot be opened.");
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size)) throw ESwfError(u"The movie file cannot be read.");
    if (size.QuadPart > static_cast<LONGLONG>(kMaxMovieFile)) throw ESwfError(u"The movie is larger than the player accepts.");
    std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() &&
        (!::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size()))
        throw ESwfError(u"The movie file cannot be read.");
    return bytes;
}

}  // namespace

MoviePlayer::MoviePlayer(HWND host) noexcept : m_host{host} { LivePlayers().insert(this); }

MoviePlayer::~MoviePlayer() {
    Stop();
    LivePlayers().erase(this);
}

bool MoviePlayer::Load(std::wstring_view path) {
    Stop();
    Unload();
    try {
        const std::vector<uint8_t> bytes = ReadMovieFile(path);
        m_movie = std::make_shared<const SwfMovie>(SwfMovie::Parse(bytes));
        m_timeline = SwfTimeline{m_movie};
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
    Stop();
    m_movie.reset();
    m_timeline = SwfTimeline{};
    m_dirty = true;
    Invalidate();
}

unsigned MoviePlayer::FrameInterval() const noexcept {
    const double rate = m_movie ? m_movie->FrameRate() : 0;
    if (!(rate > 0)) return 1000 / 12;
    return static_cast<unsigned>(std::clamp(std::lround(1000.0 / rate), 10L, 60000L));
}

void MoviePlayer::SetHost(HWND host) noexcept {
    const bool playing = IsPlaying();
    Stop();
    m_host = host;
    m_dirty = true;
    if (playing) Play();
}

void MoviePlayer::Play() noexcept {
    // Without a host, SetTimer would make up an id of its own and TimerProc could not
    // find the player.
    if (!m_movie || m_timer || !m_host) return;
    // The object's address is the timer id, so that TimerProc can find the player.
    m_timer = ::SetTimer(m_host, reinterpret_cast<UINT_PTR>(this), FrameInterval(), TimerProc);
}

void MoviePlayer::Stop() noexcept {
    if (!m_timer) return;
    ::KillTimer(m_host, m_timer);
    m_timer = 0;
}

void MoviePlayer::Advance() noexcept {
    if (FrameCount() == 0) return;
    if (CurrentFrame() + 1 >= FrameCount() && !m_loop) {
        Stop();
        return;
    }
    try {
        m_timeline.NextFrame();
    } catch (...) {
        Stop();  // out of memory while replaying: keep the last frame shown
        return;
    }
    m_dirty = true;
    Invalidate();
}

void CALLBACK MoviePlayer::TimerProc(HWND, UINT, UINT_PTR id, DWORD) noexcept {
    auto* player = reinterpret_cast<MoviePlayer*>(id);
    if (LivePlayers().count(player)) player->Advance();
}

void MoviePlayer::Invalidate() const noexcept {
    if (m_host) ::InvalidateRect(m_host, nullptr, FALSE);
}

bool MoviePlayer::Paint(HDC dc, const RECT& area) noexcept {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;
    if (!m_movie) return ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_WINDOW)) != 0;
    try {
        if (m_frame.Width() != width || m_frame.Height() != height) m_dirty = true;
        if (m_dirty) {
            if (!m_frame.EnsureSize(width, height)) return false;
            const PixelView whole = m_frame.View();
            m_renderer.Render(*m_movie, m_timeline.DisplayList(), PixelView(width, height, whole.stride, whole.pixels));
            m_dirty = false;
        }
        return ::BitBlt(dc, area.left, area.top, width, height, m_frame.Dc(), 0, 0, SRCCOPY) != 0;
    } catch (...) {
        return false;
    }
}
