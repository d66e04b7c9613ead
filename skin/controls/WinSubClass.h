#pragma once
// Control skinning: the control skin base and every control skin, for callers that want
// the whole unit. Each family has its own header.

#include "skin/controls/BoxSkins.h"
#include "skin/controls/ButtonSkins.h"
#include "skin/controls/CheckSkins.h"
#include "skin/controls/ComboSkin.h"
#include "skin/controls/ControlSkinHost.h"
#include "skin/controls/DateTimeSkin.h"
#include "skin/controls/EditSkins.h"
#include "skin/controls/GroupBoxSkin.h"
#include "skin/controls/HeaderSkin.h"
#include "skin/controls/ProgressSkin.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SpeedButtonSkin.h"
#include "skin/controls/StatusBarSkin.h"
#include "skin/controls/ToolButtonSkin.h"
#include "skin/controls/TrackBarSkin.h"
#include "skin/controls/UpDownSkin.h"
