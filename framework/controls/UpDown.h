#pragma once
// Up-down (spin) buttons on the common up-down control, alone or stuck to the right of
// an Associate control whose text shows the position. Min, Max and Position keep each
// other in order as a track bar's do (PositionRange.h). OnChanging may refuse a step
// the user asks for; OnClick fires after each step taken, with the button pressed.

#include "framework/controls/PositionRange.h"
#include "framework/controls/WinControl.h"

#include <functional>

using TUDChangingEvent = std::function<void(TObject* sender, bool& allowChange)>;
using TUDClickEvent = std::function<void(TObject* sender, TUDBtnType button)>;

class TCustomUpDown : public TWinControl, public RangeControl {
    KESTRELLE_CLASS(TCustomUpDown, TWinControl)

public:
    TCustomUpDown();

    // The control beside it whose text shows the position; not owned, null once gone.
    TWinControl* Associate() const noexcept;
    void SetAssociate(TWinControl* value);
    // How far one step moves.
    int Increment() const noexcept { return m_increment; }
    void SetIncrement(int value);
    TUDOrientation Orientation() const noexcept { return m_orientation; }
    void SetOrientation(TUDOrientation value);
    // Past one end the position starts again at the other.
    bool Wrap() const noexcept { return m_wrap; }
    void SetWrap(bool value);
    // Holding an arrow key steps too.
    bool ArrowKeys() const noexcept { return m_arrowKeys; }
    void SetArrowKeys(bool value);

    TUDChangingEvent OnChanging;
    TUDClickEvent OnClick;

    void Loaded() override;
    static void Publish(TPublisher<TCustomUpDown>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void WndProc(TMessage& message) override;
    void ShowRange() override;
    void ShowPosition() override;

private:
    void SendBuddy();

    ComponentRef<TWinControl> m_associate;
    int m_lastStep = 0;
    int m_increment = 1;
    TUDOrientation m_orientation = TUDOrientation::udVertical;
    bool m_wrap = false;
    bool m_arrowKeys = true;
};

class TUpDown : public TCustomUpDown {
    KESTRELLE_CLASS(TUpDown, TCustomUpDown)
};
