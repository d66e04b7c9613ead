#pragma once
// The version of the running system as the frame decisions read it.

#include "skin/window/WindowRules.h"

PlatformVersion CurrentPlatformVersion() noexcept;
