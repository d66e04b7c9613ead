#pragma once
// The gallery's page of tab controls: page controls with their tabs on each side, one
// whose pages close by a mark on their tabs, one with more tabs than fit, one right to
// left, one of buttons, one disabled, one that draws its tabs from pictures, a tab
// control without pages and the framework's older tab set with more tabs than fit. The
// first page of each holds a button, a check box and an edit, so that skinned pages show
// skinned controls. A check box takes the skin off and puts it on again, to compare.

#include <windows.h>

class TComponent;
class TWinControl;

// Places the controls on `page`, owned by `owner`.
void BuildTabsPage(TComponent& owner, TWinControl& page);

// The form's answer when a page is about to be closed by its mark (WParam and LParam of
// that message): non-zero keeps it. The gallery keeps the first page of its closable control.
LRESULT AnswerCloseTab(HWND tabs, int index) noexcept;
