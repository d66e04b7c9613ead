#pragma once
// The skin of combo boxes, framework or bare, of every style: the skin's sunken edge
// round the whole box and its drop button (on the left for a box laid out right to
// left, from the mirrored picture), a glyph on the button, hover and pressed looks, or
// the skin's flat and combined looks when its combo-button picture asks for them. The
// edit inside a drop-down combo is subclassed so that pressing it shows too. A simple
// combo (its list always shown) has no drop button.

#include "framework/core/Component.h"
#include "framework/win/MouseLeaveTracker.h"
#include "framework/win/Subclasser.h"
#include "skin/controls/EditRules.h"
#include "skin/controls/SkinControl.h"

#include <cstdint>

#include <windows.h>

class TDataSkinBorder;

class TSkinComBox : public TSkinControl {
    KESTRELLE_CLASS(TSkinComBox, TSkinControl)

public:
    ~TSkinComBox() override;

    void AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas) override;
    void AttachHandle(HWND handle, TSkinData& skinData, ControlSkinHost& form, TCanvas* canvas) override;
    void Unskin() override;

    bool DroppedDown() const noexcept { return m_droppedDown; }
    // The drop button at the last paint, in window coordinates.
    const RECT& DropButtonRect() const noexcept { return m_dropButtonRect; }
    // The subclassed edit of a drop-down combo; null otherwise.
    HWND EditWindow() const noexcept;
    // The list of a simple combo; null otherwise.
    HWND ListWindow() const noexcept { return m_listWindow; }
    // The skin of the simple combo's list's scroll bars; null while it has none.
    TSkinControl* ListBars() const noexcept { return m_listBars.Get(); }

protected:
    void AfterMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const RECT& rect) override;

private:
    class EditChild;
    friend class EditChild;

    void AttachParts();
    void AttachListBars();
    void ReleaseParts() noexcept;
    void EditMessage(UINT message);
    // A left-button press or release, in the combo or its edit, shows at once.
    void PressMessage(UINT message);
    void HoverAt(POINT client);
    void HoverEnds();
    bool ReadComboInfo();
    ComboFacts Facts() const noexcept;
    void PaintFlat(HDC dc, const RECT& rect, const TDataSkinBorder& button, bool leftButton);

    DWORD m_windowStyle = 0;
    DWORD m_windowExStyle = 0;
    bool m_droppedDown = false;
    HWND m_listWindow = nullptr;
    SubclasserPtr<Subclasser> m_editChild;  // an EditChild
    ComponentRef<TSkinControl> m_listBars;
    COMBOBOXINFO m_comboInfo{};
    bool m_hasComboInfo = false;
    RECT m_dropButtonRect{};
    MouseLeaveTracker m_leave;
};
