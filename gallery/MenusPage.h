#pragma once
// The gallery's page of menus: a menu bar that the window carries while the page shows
// (submenus, accelerators, shortcuts, checked and radio items, a disabled item, images,
// items the gallery draws itself, separators to tidy, a bar item without a submenu), a
// popup menu on a right click anywhere on the page, and a tool bar whose buttons share
// the menu's images, one of them with a drop-down menu. A line on the page names the
// last item chosen, so that every way of choosing shows it worked.

class TComponent;
class TMainMenu;
class TWinControl;

// Places the page's controls on `page` and makes its menus, all owned by `owner`;
// returns the menu bar the window shows with the page.
TMainMenu& BuildMenusPage(TComponent& owner, TWinControl& page);
