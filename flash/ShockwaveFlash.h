#pragma once
// The movie player as a framework control: a window of its own that plays one movie
// file at a time, scaled to show all of the stage. A file that cannot be read leaves
// the player empty; none of the operations throws for a bad movie.

#include "flash/MoviePlayer.h"
#include "framework/controls/WinControl.h"

#include <string>
#include <string_view>

class TShockwaveFlash : public TWinControl {
    KESTRELLE_CLASS(TShockwaveFlash, TWinControl)

public:
    TShockwaveFlash();
    ~TShockwaveFlash() override;

    // Stops the current movie, if any, on the frame it shows.
    void StopPlay() noexcept;
    // Starts (or resumes) the loaded movie; without one it only remembers to play.
    void Play() noexcept;

    // The movie file: setting it loads the file and plays it from the first frame. An
    // empty path unloads. A missing, corrupt or truncated file leaves an empty player
    // and LastError says why.
    const std::wstring& Movie() const noexcept { return m_movie; }
    void SetMovie(std::wstring_view path);

    // Whether the timeline runs: Play and StopPlay as a property.
    bool Playing() const noexcept { return m_playing; }
    void SetPlaying(bool value) noexcept;
    bool Loop() const noexcept { return m_player.Loop(); }
    void SetLoop(bool value) noexcept { m_player.SetLoop(value); }

    // The presentation the player gives: a window of its own, anti-aliased, the whole
    // stage shown. Another value is refused with EConvertError, since nothing else is drawn.
    const std::wstring& WMode() const noexcept { return m_wmode; }
    void SetWMode(std::wstring_view value);
    const std::wstring& Quality() const noexcept { return m_quality; }
    void SetQuality(std::wstring_view value);
    const std::wstring& ScaleMode() const noexcept { return m_scaleMode; }
    void SetScaleMode(std::wstring_view value);

    bool HasMovie() const noexcept { return m_player.HasMovie(); }
    size_t CurrentFrame() const noexcept { return m_player.CurrentFrame(); }
    size_t FrameCount() const noexcept { return m_player.FrameCount(); }
    // Why the latest SetMovie left the player empty; empty after a good load.
    const std::u16string& LastError() const noexcept { return m_player.LastError(); }
    // The next frame now, as a timer tick would make it.
    void Advance() noexcept { m_player.Advance(); }

    static void Publish(TPublisher<TShockwaveFlash>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void WndProc(TMessage& message) override;
    bool PaintWindow(HDC dc) override;
    bool PaintsItself() const noexcept override { return true; }

private:
    MoviePlayer m_player{nullptr};
    std::wstring m_movie;
    bool m_playing = true;
    std::wstring m_wmode = L"Window";
    std::wstring m_quality = L"High";
    std::wstring m_scaleMode = L"ShowAll";
};
