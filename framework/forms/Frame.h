#pragma once
// A frame: a container control made from a stored layout of its own, as a form is, but
// placed inside another control. What its layout makes is the frame's own: the frame
// owns those components and they sit on it, so a form that holds the frame neither
// stores them in its layout nor finds them among its components.

#include "framework/controls/WinControl.h"

#include <string>

class TCustomFrame : public TWinControl {
    KESTRELLE_CLASS(TCustomFrame, TWinControl)

public:
    TCustomFrame();

    // Reads the frame's stored layout (the RCDATA resource LayoutResourceName), if the
    // program has one. A frame class with a layout calls it in its own constructor, so
    // that a frame is complete however it is made (by code or by a form's layout). On
    // failure (ELayoutError names the line) the components the read made are gone again
    // and the exception goes to the caller.
    void InitializeFrame();
    // The class name, upper case.
    virtual std::wstring LayoutResourceName() const;
};

class TFrame : public TCustomFrame {
    KESTRELLE_CLASS(TFrame, TCustomFrame)
};
