#pragma once
// Which control skin classes there are, and the one place that makes them: control
// discovery decides a class for a control and asks here for an object of it. A class
// whose skin this program does not have yet makes nothing, and says so once.

#include <functional>

class TComponent;
class TSkinControl;

enum class ControlSkinClass {
    Button,           // push buttons
    BitButton,        // buttons with a glyph
    PngBitButton,     // buttons whose glyph is the "PngImage" property
    MenuButton,       // a caption and a drop-down arrow
    SpeedButton,      // windowless speed buttons (their own attach)
    CheckBox,
    RadioButton,
    Box,              // panels, tool bars, inner forms
    BoxH,             // a dialog inside a bare dialog
    GroupBox,
    StatusBar,
    Header,
    Progress,
    TrackBar,
    Sizer,            // size grips
    ObjImageCheck,    // custom-glyph check boxes
    ObjImageRadio,    // custom-glyph radio buttons
    ObjImageCheck3,   // custom-glyph check boxes of a third kind
    Tab,
    TabButtons,
    TabSet,
    TabSheet,
    AdvPage,
    ComboBox,
    Edit,
    DateTime,
    UpDown,
    MediaPlayer,
    ScrollBar,        // the scroll bars of a scrolling control (their own attach)
    SingleScrollBar,
    ScrollBarControl, // a stand-alone scroll-bar control (its own attach)
    ListView,         // a list view and its header (its own attach)
    TabControl,       // a tab control that is not a page control: Tab in its tab mode 2
};

// A new control skin of `kind` owned by `owner` (the control, or for a bare window the
// window skinning object); null when this program has no skin of that class yet.
TSkinControl* MakeControlSkin(ControlSkinClass kind, TComponent& owner);

// The seam through which tests watch what discovery asks for: while a maker is set,
// every request goes to it instead of to the program's makers. Answers the maker it
// replaced; null puts the program's makers back.
using ControlSkinMaker = std::function<TSkinControl*(ControlSkinClass kind, TComponent& owner)>;
ControlSkinMaker SetControlSkinMaker(ControlSkinMaker maker);
