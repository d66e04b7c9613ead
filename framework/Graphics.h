#pragma once
// The graphics unit: everything a form or a skin draws with.

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Colors.h"
#include "framework/Graphic.h"
#include "framework/GraphicsObjects.h"
#include "framework/Icon.h"
#include "framework/ImageList.h"
