#pragma once
// The gallery's page of media players: one with all nine buttons that plays the
// gallery's chime, one with three buttons, and one whose buttons show every look a
// button has (enabled, disabled, coloured); and check boxes and radio buttons that take a
// glyph strip, in every state they show at rest.

class TComponent;
class TWinControl;

// Places the controls on `page`, owned by `owner`.
void BuildMediaPage(TComponent& owner, TWinControl& page);
