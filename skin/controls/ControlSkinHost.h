#pragma once
// What a control skin needs of the window skinning object of its window: a list to
// be registered in (the window frees the skins in it when it lets go of its window),
// the control skin a bare window last saw the mouse over, and the component that
// stands for the window's life, so that a skin outliving it does not reach back.

class TComponent;
class TSkinControl;

class ControlSkinHost {
public:
    // True when `skin` was registered already.
    virtual bool RegisterControl(TSkinControl& skin) = 0;
    virtual void UnregisterControl(TSkinControl& skin) noexcept = 0;
    // For a bare window: the control skin under the mouse, which gets the mouse-leave
    // notice when the cursor leaves its window. Null forgets it.
    virtual void SetHoverControl(TSkinControl* skin) noexcept = 0;
    virtual TComponent& HostComponent() noexcept = 0;

protected:
    ~ControlSkinHost() = default;
};
