#include "framework/controls/MediaPlayer.h"

#include "framework/controls/MediaGlyphs.h"
#include "framework/core/Exception.h"
#include "framework/core/FailureLog.h"
#include "framework/win/Files.h"
#include "framework/win/Handles.h"

#include <algorithm>
#include <vector>

#include <windowsx.h>

namespace {

// Larger wave files are not read: a minute of CD sound is about 10 MB.
constexpr size_t kMaxWaveFileBytes = size_t{256} * 1024 * 1024;

}  // namespace

TMediaPlayer::TMediaPlayer()
    : m_device{std::make_unique<MediaPlayback>(MakeSystemWaveSink, [this] {
          Report(TMPNotifyValues::nvSuccessful);
          ModeChanged();
      })},
      m_glyphs{std::make_unique<MediaGlyphs>(::GetModuleHandleW(nullptr))} {
    SetBounds(0, 0, 253, 30);
    SetTabStop(true);
    ModeChanged();
}

TMediaPlayer::~TMediaPlayer() = default;

// --- what the buttons show ------------------------------------------------------------------

void TMediaPlayer::SetVisibleButtons(TButtonSet value) {
    m_visibleButtons = value;
    Invalidate();
}

void TMediaPlayer::SetEnabledButtons(TButtonSet value) {
    m_enabledButtons = value;
    Invalidate();
}

void TMediaPlayer::SetColoredButtons(TButtonSet value) {
    m_coloredButtons = value;
    Invalidate();
}

void TMediaPlayer::SetAutoEnable(bool value) {
    m_autoEnable = value;
    ModeChanged();
}

void TMediaPlayer::ModeChanged() {
    if (m_autoEnable) m_enabledButtons = AutoEnabledButtons(Mode());
    Invalidate();
}

MediaButtonRow TMediaPlayer::Row() const noexcept {
    RECT client{};
    if (HWND self = HandleIfAllocated()) ::GetClientRect(self, &client);
    return LayOutMediaButtons(m_visibleButtons, client.right);
}

uint8_t TMediaPlayer::ButtonAt(int x) const noexcept { return Row().ButtonAt(x); }

// --- the device -----------------------------------------------------------------------------

TMPModes TMediaPlayer::Mode() const noexcept {
    switch (m_device->CurrentState()) {
    case MediaPlayback::State::Stopped: return TMPModes::mpStopped;
    case MediaPlayback::State::Playing: return TMPModes::mpPlaying;
    case MediaPlayback::State::Paused: return TMPModes::mpPaused;
    default: return TMPModes::mpNotReady;
    }
}

int TMediaPlayer::Position() const noexcept {
    return static_cast<int>(m_device->Sound().FrameToMs(m_device->Position()));
}

int TMediaPlayer::Length() const noexcept { return static_cast<int>(m_device->Sound().FrameToMs(m_device->Length())); }

void TMediaPlayer::SetPosition(int ms) {
    Report(TMPNotifyValues::nvAborted);
    m_device->Seek(m_device->Sound().MsToFrame(static_cast<uint64_t>(std::max(ms, 0))));
    ModeChanged();
}

uint64_t TMediaPlayer::StepFrames() const noexcept {
    if (m_frames > 0) return m_device->Sound().MsToFrame(static_cast<uint64_t>(m_frames));
    return std::max<uint64_t>(m_device->Length() / 10, 1);
}

void TMediaPlayer::Open() {
    Close();
    std::vector<std::byte> bytes;
    switch (ReadWholeFile(m_fileName, kMaxWaveFileBytes, bytes)) {
    case TWholeFileRead::Done: break;
    case TWholeFileRead::TooLarge: throw EReadError(u"The sound file is too large to play");
    default: throw EReadError(u"Cannot open the sound file " + std::u16string(m_fileName.begin(), m_fileName.end()));
    }
    m_device->Open(ReadWave(bytes));
    ModeChanged();
}

void TMediaPlayer::Close() {
    Report(TMPNotifyValues::nvAborted);
    m_device->Close();
    ModeChanged();
}

void TMediaPlayer::Play() {
    if (!m_device->IsOpen()) throw EInvalidOperation(u"The media player has no open sound to play");
    Report(TMPNotifyValues::nvSuperseded);
    if (!m_autoRewind && m_device->Position() >= m_device->Length()) return;
    m_device->Play();
    m_notifyPending = std::exchange(m_notify, false);
    ModeChanged();
}

void TMediaPlayer::Pause() {
    // A second pause plays on, as the pause button of a tape recorder does.
    if (Mode() == TMPModes::mpPaused) {
        Play();
        return;
    }
    Report(TMPNotifyValues::nvAborted);
    m_device->Pause();
    ModeChanged();
}

void TMediaPlayer::Stop() {
    Report(TMPNotifyValues::nvAborted);
    m_device->Stop();
    ModeChanged();
}

void TMediaPlayer::Next() { SetPosition(Length()); }
void TMediaPlayer::Previous() { SetPosition(0); }

void TMediaPlayer::Step() {
    Report(TMPNotifyValues::nvAborted);
    m_device->Seek(m_device->Position() + StepFrames());
    ModeChanged();
}

void TMediaPlayer::Back() {
    Report(TMPNotifyValues::nvAborted);
    const uint64_t at = m_device->Position(), step = StepFrames();
    m_device->Seek(at > step ? at - step : 0);
    ModeChanged();
}

void TMediaPlayer::StartRecording() { throw EInvalidOperation(u"The media player cannot record"); }
void TMediaPlayer::Eject() { throw EInvalidOperation(u"The media player has nothing to eject"); }

void TMediaPlayer::Report(TMPNotifyValues value) {
    // Only an operation still under way that asked to be told is reported, once.
    if (!std::exchange(m_notifyPending, false)) return;
    m_notifyValue = value;
    Fire(OnNotify, this);
}

// --- buttons ------------------------------------------------------------------------------

void TMediaPlayer::Click(TMPBtnType button) {
    if (!m_visibleButtons.Contains(button) || !m_enabledButtons.Contains(button)) return;
    bool doDefault = true;
    Fire(OnClick, this, button, doDefault);
    if (!doDefault) return;
    const bool notify = m_notify;
    try {
        Perform(button);
    } catch (const EInvalidOperation&) {
        // A button the device cannot serve was left enabled: the press fails quietly,
        // and is reported when a report was asked for.
        m_notifyPending = notify;
        m_notify = false;
        Report(TMPNotifyValues::nvFailure);
        return;
    }
    // Operations that end at once end here.
    if (std::exchange(m_notify, false)) {
        m_notifyPending = true;
        Report(TMPNotifyValues::nvSuccessful);
    }
}

void TMediaPlayer::Perform(TMPBtnType button) {
    using enum TMPBtnType;
    switch (button) {
    case btPlay: Play(); break;
    case btPause: Pause(); break;
    case btStop: Stop(); break;
    case btNext: Next(); break;
    case btPrev: Previous(); break;
    case btStep: Step(); break;
    case btBack: Back(); break;
    case btRecord: StartRecording(); break;
    case btEject: Eject(); break;
    }
}

void TMediaPlayer::Press(int x) {
    const uint8_t at = ButtonAt(x);
    m_pressed = at != kNoMediaButton && m_enabledButtons.Contains(static_cast<TMPBtnType>(at)) ? at : kNoMediaButton;
    if (HWND self = HandleIfAllocated()) ::SetCapture(self);
    Invalidate();
}

void TMediaPlayer::Release(int x) {
    if (HWND self = HandleIfAllocated(); self && ::GetCapture() == self) ::ReleaseCapture();
    const uint8_t pressed = std::exchange(m_pressed, kNoMediaButton);
    Invalidate();
    // Only a release over the button that was pressed performs it.
    if (pressed != kNoMediaButton && ButtonAt(x) == pressed) Click(static_cast<TMPBtnType>(pressed));
}

void TMediaPlayer::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: Press(GET_X_LPARAM(message.LParam)); break;
    case WM_LBUTTONUP: Release(GET_X_LPARAM(message.LParam)); break;
    default: break;
    }
    TCustomControl::WndProc(message);
}

void TMediaPlayer::Loaded() {
    TCustomControl::Loaded();
    if (m_autoOpen && !m_fileName.empty()) Open();
}

// --- painting -----------------------------------------------------------------------------

bool TMediaPlayer::Paint(HDC dc, const RECT& box) noexcept {
    ::FillRect(dc, &box, ::GetSysColorBrush(COLOR_BTNFACE));
    const MediaButtonRow row = LayOutMediaButtons(m_visibleButtons, box.right - box.left);
    for (int slot = 0; slot < row.visibleCount; ++slot) {
        const uint8_t button = row.order[static_cast<size_t>(slot)];
        const auto type = static_cast<TMPBtnType>(button);
        const bool enabled = Enabled() && m_enabledButtons.Contains(type);
        const bool pressed = enabled && button == m_pressed;
        const core::Rect r = row.SlotRect(slot, box.bottom - box.top);
        RECT face{box.left + r.left, box.top + r.top, box.left + r.right, box.top + r.bottom};
        ::DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
        m_glyphs->DrawCentred(dc, face, GlyphSetFor(enabled, m_coloredButtons.Contains(type)), button, pressed ? 1 : 0);
    }
    return true;
}

void TMediaPlayer::Publish(TPublisher<TMediaPlayer>& p) {
    p.Set(u"VisibleButtons", &TMediaPlayer::VisibleButtons, &TMediaPlayer::SetVisibleButtons).Default(kAllMediaButtons);
    p.Set(u"EnabledButtons", &TMediaPlayer::EnabledButtons, &TMediaPlayer::SetEnabledButtons).Default(kAllMediaButtons);
    p.Set(u"ColoredButtons", &TMediaPlayer::ColoredButtons, &TMediaPlayer::SetColoredButtons).Default(kAllMediaButtons);
    p.String(u"FileName", &TMediaPlayer::FileName, &TMediaPlayer::SetFileName);
    p.Bool(u"AutoEnable", &TMediaPlayer::AutoEnable, &TMediaPlayer::SetAutoEnable).Default(true);
    p.Bool(u"AutoOpen", &TMediaPlayer::AutoOpen, &TMediaPlayer::SetAutoOpen).Default(false);
    p.Bool(u"AutoRewind", &TMediaPlayer::AutoRewind, &TMediaPlayer::SetAutoRewind).Default(true);
    p.Integer(u"Frames", &TMediaPlayer::Frames, &TMediaPlayer::SetFrames).Default(0);
    p.Bool(u"Notify", &TMediaPlayer::Notify, &TMediaPlayer::SetNotify).NotStored();
    p.Enum(u"Mode", &TMediaPlayer::Mode, nullptr).NotStored();
    p.Integer(u"Position", &TMediaPlayer::Position, &TMediaPlayer::SetPosition).NotStored();
    p.Integer(u"Length", &TMediaPlayer::Length, nullptr).NotStored();
    p.Event(u"OnClick", &TMediaPlayer::OnClick);
    p.Event(u"OnNotify", &TMediaPlayer::OnNotify);
}
