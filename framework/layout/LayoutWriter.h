#pragma once
// Writes a root component and the components it owns as stored-layout text (see
// LayoutParser.h), such that ReadLayout gives the same published values back.
// Platform-neutral.
//
// Written are the properties whose IsStored answers true; owned objects by their own
// properties ("Font.Name"), string lists and collections as lists, binary properties
// in hexadecimal, events by the name of the root's method they are bound to.
// Components are nested under their GetParentComponent.

#include "framework/core/Component.h"

#include <string>

std::string WriteLayout(const TComponent& root);
