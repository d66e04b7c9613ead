#pragma once
// The canvas of a control. While the control paints, it draws on the DC it was given;
// at any other time a drawing call gets a DC of the control's own area on demand,
// which is given back at the next paint, by FreeHandle, or when the application
// goes idle.

#include "framework/graphics/Canvas.h"

class TControl;

class TControlCanvas : public TCanvas {
    KESTRELLE_CLASS(TControlCanvas, TCanvas)

public:
    explicit TControlCanvas(TControl& control) noexcept : m_control{control} {}
    ~TControlCanvas() override;

    // Gives back a DC this canvas fetched itself; a DC set by a paint is left alone.
    void FreeHandle() noexcept;
    // Gives back every fetched DC of the thread.
    static void FreeDeviceContexts() noexcept;

protected:
    void CreateHandle() override;

private:
    TControl& m_control;
    HWND m_window = nullptr;  // the window a fetched DC belongs to; null for a DC set by a paint
};
