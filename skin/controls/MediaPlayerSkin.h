#pragma once
// Media players in the skin's look. The player paints its own buttons, so the skin lays
// a control of its own, TWMediaPlayer, exactly over it and paints the buttons there from
// the skin's button picture. A press on the overlay goes on to the player underneath, and
// the release too when it comes over the same button, so the player performs the button
// as if pressed itself. The overlay follows the player's place, size and visibility.

#include "framework/controls/CustomControl.h"
#include "framework/controls/MediaButtons.h"
#include "framework/win/DibSection.h"
#include "skin/controls/SkinControl.h"

#include <cstdint>
#include <memory>

#include <windows.h>

class MediaGlyphs;
class TSkinMP;
class TWinControl;

class TWMediaPlayer : public TCustomControl {
    KESTRELLE_CLASS(TWMediaPlayer, TCustomControl)

public:
    TWMediaPlayer();
    ~TWMediaPlayer() override;

    // Lays the overlay over `target`, in `owner`'s skin; it is never skinned itself.
    void AttachPlayer(TSkinMP& owner, TWinControl& target);
    // Takes the target's bounds again, just in front of it.
    void FollowTarget();
    // Shows or hides with the target.
    void FollowVisibility();

    // The visible button at `x`, kNoMediaButton when none.
    uint8_t ButtonAt(int x) const;
    bool Tracking() const noexcept { return m_tracking; }
    uint8_t PressedButton() const noexcept { return m_pressedButton; }
    uint8_t HotButton() const noexcept { return m_hotButton; }
    int ButtonWidth() const noexcept { return m_buttonWidth; }
    int VisibleCount() const noexcept { return m_visibleCount; }
    TWinControl* Target() const noexcept { return m_target; }

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    bool Paint(HDC dc, const RECT& box) noexcept override;

private:
    // The target's buttons as its set properties name them, laid out over `width`.
    MediaButtonRow Row(int width) const;
    bool Compose(HDC dc, const RECT& box, const MediaButtonRow& row) const;
    HWND EnabledTarget() const noexcept;
    void Press(TMessage& message);
    void Release(TMessage& message);

    std::unique_ptr<MediaGlyphs> m_glyphs;
    TSkinData* m_skinData = nullptr;
    bool m_tracking = false;
    uint8_t m_pressedButton = kNoMediaButton;
    uint8_t m_hotButton = kNoMediaButton;
    mutable int m_buttonWidth = 0;
    mutable int m_visibleCount = 0;
    TWinControl* m_target = nullptr;
    TSkinMP* m_owner = nullptr;
    mutable DibSection m_buffer;
};

class TSkinMP : public TSkinControl {
    KESTRELLE_CLASS(TSkinMP, TSkinControl)

public:
    TSkinMP();
    ~TSkinMP() override;

    void AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas) override;
    void Unskin() override;
    void Reskin() override;

    // The overlay; null before the attach and after the skin let go of it.
    TWMediaPlayer* Player() const noexcept { return m_player.Get(); }

protected:
    void AfterMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const RECT& rect) override;

private:
    ComponentRef<TWMediaPlayer> m_player;
};
