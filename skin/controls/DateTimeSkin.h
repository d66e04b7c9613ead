#pragma once
// The skin of date-time pickers: the edit's thin frame, and an arrow of the skin's own
// (TArrowButton) laid over the picker's drop button. A press on the arrow is handed to
// the picker's own button underneath, so the picker opens its calendar as it always does.

#include "framework/controls/CustomControl.h"
#include "framework/core/Component.h"
#include "skin/controls/EditSkins.h"

#include <cstdint>

#include <windows.h>

class TSkinDateTime;

// The arrow over a picker's drop button: a child window of the picker.
class TArrowButton : public TCustomControl {
    KESTRELLE_CLASS(TArrowButton, TCustomControl)

public:
    TArrowButton();

    // Puts the arrow over `picker`'s drop button, inside the picker's window.
    void Place(HWND picker, TSkinDateTime& owner);

    int ArrowSize() const noexcept { return m_arrowSize; }
    HWND PickerHandle() const noexcept { return m_pickerHandle; }
    uint8_t MouseState() const noexcept { return m_mouseState; }

protected:
    bool Paint(HDC dc, const RECT& box) noexcept override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    bool PickerEnabled() const noexcept;

    int m_arrowSize = 0;
    HWND m_pickerHandle = nullptr;
    TSkinDateTime* m_owner = nullptr;
    uint8_t m_mouseState = 0;
};

class TSkinDateTime : public TSkinEdit {
    KESTRELLE_CLASS(TSkinDateTime, TSkinEdit)

public:
    void AttachControl(ControlSkinHost& form, TSkinData& skinData, bool recolour, TCanvas* canvas) override;
    void AttachHandle(HWND handle, TSkinData& skinData, ControlSkinHost& form, TCanvas* canvas) override;
    void Unskin() override;

    TArrowButton* Arrow() const noexcept { return m_arrow.Get(); }
    using TSkinControl::SkinData;

protected:
    void AfterMessage(TMessage& message) override;
    int WhiteFrames() const noexcept override { return 1; }

private:
    void MakeArrow();

    ComponentRef<TArrowButton> m_arrow;
    bool m_addedClipChildren = false;
};
