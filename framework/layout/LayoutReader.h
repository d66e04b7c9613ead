#pragma once
// Reads a stored layout (see LayoutParser.h for the text) into a root component,
// usually a form constructed by code. Platform-neutral.
//
// Nested entries are created from the class registry, owned by the root and handed
// their enclosing entry's component through SetParentComponent. An entry whose name
// the root already owns, with the same class, is read into that component instead.
// Every component read is marked as loading; properties are set in the order they
// are read (a component may act on a value while the rest is still unread);
// references to components are resolved at the end; then Loaded is called on the
// root and on every component read, in reading order.
//
// Any error (unknown class or property, a value the property refuses, bad or
// truncated text) throws ELayoutError naming the line and the cause. Components
// created by the failed read are destroyed again; properties already set on the root
// and on components it owned before stay set.

#include "framework/core/Component.h"
#include "framework/layout/LayoutParser.h"

#include <string_view>

void ReadLayout(TComponent& root, std::string_view utf8);
