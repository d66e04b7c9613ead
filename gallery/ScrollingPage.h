#pragma once
// The gallery's page of scrolling and text-entry controls: edits (with and without a
// border, read-only, password, right to left, disabled), an edit with its up-down and
// up-downs of both orientations, combo boxes of every style (right to left and disabled
// among them, a simple one whose list scrolls), a long list and a long memo to scroll,
// stand-alone scroll bars, a report list view, a tree view, a scroll box and date-time
// pickers, so that typing, dropping down and scrolling can be tried skinned and
// compared with the system's own controls.

class TComponent;
class TWinControl;

// Places the controls on `page`, owned by `owner`.
void BuildScrollingPage(TComponent& owner, TWinControl& page);
