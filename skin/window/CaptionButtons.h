#pragma once
// What reacts to the mouse in a skinned frame: TNCObject, with the hover, press and
// leave states every such object goes through, and TWinSysButton, a caption button
// drawn from one of the skin's caption-button pictures. The window skinning object
// owns them and keeps the one under the mouse as its hot object.

#include "framework/core/Geometry.h"
#include "framework/core/Object.h"

class TDataSkinSysButton;
class TWinSkinForm;

class TNCObject : public TObject {
    KESTRELLE_CLASS(TNCObject, TObject)

public:
    static constexpr int kNormal = 1;
    static constexpr int kPressed = 2;
    static constexpr int kHot = 3;

    explicit TNCObject(TWinSkinForm& form) noexcept : m_form{&form} {}

    // The press makes this the hot object, pressed; another hot object is left first.
    virtual void MouseDown();
    virtual void MouseUp();
    // Hover: a pressed hot object stays pressed while the mouse moves over it.
    virtual void MouseMove();
    virtual void MouseLeave();
    virtual void Paint() {}

    TWinSkinForm& Form() const noexcept { return *m_form; }

    core::Rect Bounds;  // window coordinates
    bool Visible = false;
    int State = kNormal;

private:
    TWinSkinForm* m_form;
};

class TWinSysButton final : public TNCObject {
    KESTRELLE_CLASS(TWinSysButton, TNCObject)

public:
    TWinSysButton(TWinSkinForm& form, TDataSkinSysButton& skin) noexcept : TNCObject{form}, m_skin{&skin} {}

    TDataSkinSysButton& Skin() const noexcept { return *m_skin; }
    void Paint() override;

private:
    TDataSkinSysButton* m_skin;  // the skin data's; lives as long as the loaded skin
};
