#pragma once
// The graphics unit: everything a form or a skin draws with.

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/Graphic.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/ImageList.h"
