#pragma once
// The skin of edits and memos: a thin frame in the skin's border colour over the
// control's own border, with white inside it, and nothing at all on an edit without a
// border. Spin buttons that live inside an edit get the up-down skin, painted clear of
// that frame.

#include "framework/core/Component.h"
#include "skin/controls/SkinControl.h"

class TSkinUpDown;

class TSkinEdit : public TSkinControl {
    KESTRELLE_CLASS(TSkinEdit, TSkinControl)

public:
    // The skin of the spin child found inside the edit; null before one is found.
    TSkinUpDown* UpDown() const noexcept;

protected:
    void AfterMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const RECT& rect) override;
    // White frames inside the border-colour frame.
    virtual int WhiteFrames() const noexcept { return 2; }

private:
    void SkinSpinChild();
    void PrintFrame(HDC dc);

    ComponentRef<TSkinUpDown> m_upDown;
};
