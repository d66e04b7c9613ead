#pragma once
// The gallery's page of controls: every kind of control the skin engine paints, each in
// the states it can show at rest (enabled, disabled, default, down, checked,
// indeterminate, flat, with glyphs, right to left). Hover, press and focus are the
// user's to reach on the same controls.

class TComponent;
class TWinControl;

// Places the controls on `page`, owned by `owner`.
void BuildControlsPage(TComponent& owner, TWinControl& page);
