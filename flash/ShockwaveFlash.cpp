#include "flash/ShockwaveFlash.h"

#include "framework/core/Exception.h"
#include "framework/core/Strings.h"
#include "framework/win/Convert.h"

namespace {

// Takes `value` when it names the one presentation the player has, spelt as stored.
void AcceptOnly(std::wstring& field, std::wstring_view value, std::u16string_view property,
                std::u16string_view supported) {
    if (!SameText(FromWide(value), supported))
        throw EConvertError(u"The movie player has no " + std::u16string(property) + u" \"" + FromWide(value) +
                            u"\"; it supports \"" + std::u16string(supported) + u"\"");
    field = ToWide(supported);
}

}  // namespace

TShockwaveFlash::TShockwaveFlash() {
    SetBounds(0, 0, 192, 192);
    SetTabStop(true);
}

TShockwaveFlash::~TShockwaveFlash() {
    // The window goes while this object is whole, so WM_DESTROY reaches our WndProc
    // and the player's timer leaves the window with it.
    DestroyHandle();
}

void TShockwaveFlash::StopPlay() noexcept {
    m_playing = false;
    m_player.Stop();
}

void TShockwaveFlash::Play() noexcept {
    m_playing = true;
    m_player.Play();
}

void TShockwaveFlash::SetPlaying(bool value) noexcept {
    if (value)
        Play();
    else
        StopPlay();
}

void TShockwaveFlash::SetMovie(std::wstring_view path) {
    m_movie = path;
    if (path.empty()) {
        m_player.Unload();
        return;
    }
    // A new movie starts from its first frame and plays, whatever the old one did.
    if (m_player.Load(path)) Play();
}

void TShockwaveFlash::SetWMode(std::wstring_view value) { AcceptOnly(m_wmode, value, u"window mode", u"Window"); }

void TShockwaveFlash::SetQuality(std::wstring_view value) { AcceptOnly(m_quality, value, u"quality", u"High"); }

void TShockwaveFlash::SetScaleMode(std::wstring_view value) {
    AcceptOnly(m_scaleMode, value, u"scale mode", u"ShowAll");
}

void TShockwaveFlash::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    // The frame is drawn whole on every paint; redraw all of it when the size changes.
    params.classStyle |= CS_HREDRAW | CS_VREDRAW;
}

void TShockwaveFlash::InitializeWindow() {
    TWinControl::InitializeWindow();
    // A playing movie takes its timer to the new window; one that stopped itself stays on its frame.
    m_player.SetHost(HandleIfAllocated());
}

void TShockwaveFlash::WndProc(TMessage& message) {
    // The movie's buttons follow the mouse; over one, the cursor is a hand.
    LRESULT answer = 0;
    if (m_player.HandleMessage(message.Msg, message.WParam, message.LParam, answer)) {
        message.Result = answer;
        return;
    }
    switch (message.Msg) {
    case WM_ERASEBKGND:
        // The player paints every pixel; erasing first would only flicker.
        message.Result = 1;
        return;
    case WM_DESTROY:
        m_player.SetHost(nullptr);
        break;
    default:
        break;
    }
    TWinControl::WndProc(message);
}

bool TShockwaveFlash::PaintWindow(HDC dc) {
    RECT client{};
    ::GetClientRect(HandleIfAllocated(), &client);
    return m_player.Paint(dc, client);
}

void TShockwaveFlash::Publish(TPublisher<TShockwaveFlash>& p) {
    p.String(u"WMode", &TShockwaveFlash::WMode, &TShockwaveFlash::SetWMode);
    p.String(u"Quality", &TShockwaveFlash::Quality, &TShockwaveFlash::SetQuality);
    p.String(u"ScaleMode", &TShockwaveFlash::ScaleMode, &TShockwaveFlash::SetScaleMode);
    p.Bool(u"Playing", &TShockwaveFlash::Playing, &TShockwaveFlash::SetPlaying).Default(true);
    p.Bool(u"Loop", &TShockwaveFlash::Loop, &TShockwaveFlash::SetLoop).Default(true);
    p.String(u"Movie", &TShockwaveFlash::Movie, &TShockwaveFlash::SetMovie);
}
