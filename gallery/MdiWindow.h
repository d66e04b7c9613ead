#pragma once
// The gallery's MDI window: a frame form with a menu bar (File, Window and the list of
// the children) and three child forms, each with a button and an edit.

class TComponent;
class TCustomForm;

// Opens the frame with its children, owned by `owner`; returns the frame.
TCustomForm& OpenMdiWindow(TComponent& owner);
// One more child in `frame`, numbered after those made so far.
TCustomForm& AddMdiChild(TCustomForm& frame);
