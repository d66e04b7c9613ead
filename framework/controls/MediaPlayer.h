#pragma once
// A media player: a row of transport buttons (play, pause, stop, next, previous, step,
// back, record, eject) over a device that plays a wave file. A press on a button
// performs it when the mouse is let go over the same button; OnClick may stop the
// button's work. With AutoEnable the buttons the device cannot use now are disabled
// as its mode changes (EnabledButtons follows). Positions and lengths are in
// milliseconds. The device does not record and has nothing to eject.

#include "framework/controls/CustomControl.h"
#include "framework/controls/MediaButtons.h"
#include "framework/controls/MediaPlayback.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class MediaGlyphs;

enum class TMPNotifyValues { nvSuccessful, nvSuperseded, nvAborted, nvFailure };
KESTRELLE_IDENTS(TMPNotifyValues, u"nvSuccessful", u"nvSuperseded", u"nvAborted", u"nvFailure")

// (sender, button, do the button's own work: set false to skip it)
using TMPBtnClick = std::function<void(TObject* sender, TMPBtnType button, bool& doDefault)>;

class TMediaPlayer : public TCustomControl {
    KESTRELLE_CLASS(TMediaPlayer, TCustomControl)

public:
    TMediaPlayer();
    ~TMediaPlayer() override;

    std::wstring FileName() const { return m_fileName; }
    void SetFileName(std::wstring_view value) { m_fileName = value; }
    TButtonSet VisibleButtons() const noexcept { return m_visibleButtons; }
    void SetVisibleButtons(TButtonSet value);
    TButtonSet EnabledButtons() const noexcept { return m_enabledButtons; }
    void SetEnabledButtons(TButtonSet value);
    TButtonSet ColoredButtons() const noexcept { return m_coloredButtons; }
    void SetColoredButtons(TButtonSet value);
    bool AutoEnable() const noexcept { return m_autoEnable; }
    void SetAutoEnable(bool value);
    // Opens FileName when the layout has been read.
    bool AutoOpen() const noexcept { return m_autoOpen; }
    void SetAutoOpen(bool value) noexcept { m_autoOpen = value; }
    // Play at the end starts again from the start.
    bool AutoRewind() const noexcept { return m_autoRewind; }
    void SetAutoRewind(bool value) noexcept { m_autoRewind = value; }
    // How far Step and Back move; 0 means a tenth of the length.
    int Frames() const noexcept { return m_frames; }
    void SetFrames(int value) noexcept { m_frames = value < 0 ? 0 : value; }
    // The next operation reports its end through OnNotify.
    bool Notify() const noexcept { return m_notify; }
    void SetNotify(bool value) noexcept { m_notify = value; }
    TMPNotifyValues NotifyValue() const noexcept { return m_notifyValue; }

    TMPModes Mode() const noexcept;
    int Position() const noexcept;
    void SetPosition(int ms);
    int Length() const noexcept;

    // Opens FileName; throws EReadError (or the file's error) when it cannot be played.
    void Open();
    void Close();
    void Play();
    void Pause();
    void Stop();
    // The end and the start of the sound.
    void Next();
    void Previous();
    void Step();
    void Back();
    // The device cannot record or eject: these throw EInvalidOperation.
    void StartRecording();
    void Eject();

    // What a click on `button` does: OnClick, then (unless it declined) the button's
    // work. Nothing for a button that is hidden or disabled.
    void Click(TMPBtnType button);
    // The visible button at `x` of the client area, kNoMediaButton when none.
    uint8_t ButtonAt(int x) const noexcept;
    // The button held down by the mouse now, kNoMediaButton when none.
    uint8_t PressedButton() const noexcept { return m_pressed; }

    MediaPlayback& Device() noexcept { return *m_device; }
    // Where the device sends its sound; tests count the samples.
    void SetWaveSinkFactory(WaveSinkFactory sinks) { m_device->SetSinkFactory(std::move(sinks)); }

    TMPBtnClick OnClick;
    TNotifyEvent OnNotify;

    void Loaded() override;
    static void Publish(TPublisher<TMediaPlayer>& p);

protected:
    void WndProc(TMessage& message) override;
    bool Paint(HDC dc, const RECT& box) noexcept override;

private:
    MediaButtonRow Row() const noexcept;
    void Perform(TMPBtnType button);
    void ModeChanged();
    // Ends an operation that asked to be told: OnNotify with `value`.
    void Report(TMPNotifyValues value);
    void Press(int x);
    void Release(int x);
    uint64_t StepFrames() const noexcept;

    std::wstring m_fileName;
    TButtonSet m_visibleButtons = kAllMediaButtons;
    TButtonSet m_enabledButtons = kAllMediaButtons;
    TButtonSet m_coloredButtons = kAllMediaButtons;
    bool m_autoEnable = true;
    bool m_autoOpen = false;
    bool m_autoRewind = true;
    int m_frames = 0;
    bool m_notify = false;
    bool m_notifyPending = false;
    TMPNotifyValues m_notifyValue = TMPNotifyValues::nvSuccessful;
    uint8_t m_pressed = kNoMediaButton;
    std::unique_ptr<MediaPlayback> m_device;
    std::unique_ptr<MediaGlyphs> m_glyphs;
};
