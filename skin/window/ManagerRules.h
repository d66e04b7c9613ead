#pragma once
// The skin manager's decisions that are only about names and bits: whose skin a window
// gets, which windows count as plain children, and which class names are never
// skinned. Platform-neutral.

#include "skin/data/SkinDataTypes.h"

#include <cstdint>
#include <span>
#include <string_view>

// A skin data component as the choice sees it: its form type, and whether its owner
// form's window is the window being skinned.
struct SkinDataCandidate {
    TSkinFormType formType = TSkinFormType::sfMainform;
    bool ownsWindow = false;
};

// The index of the skin data a window is skinned with, -1 when there is none: the last
// only-this-form component of the window's own form; else, for a message box or a system
// dialog, the last dialog component; else the last main-form component; else the first.
int ChooseSkinDataIndex(std::span<const SkinDataCandidate> candidates, std::u16string_view className);

// A child window that is not an MDI child (its parent is no "MDIClient"): the manager
// leaves it to its top-level window's skin.
bool IsPlainChildWindow(uint32_t style, uint32_t exStyle, std::u16string_view parentClassName);

// Class names the manager never frames: the framework's hidden application window and
// popup editors that draw their own border.
bool IsNeverSkinnedClass(std::u16string_view className);

// Without the preview option, print-preview windows (any class with "preview" in its
// name, any case) keep the system frame.
bool IsPreviewClass(std::u16string_view className);
