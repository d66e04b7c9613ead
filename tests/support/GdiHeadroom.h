#pragma once
// Counts GDI handles in use by headroom: GetGuiResources answers 0 under Wine, so
// create cheap objects until creation fails, count them and free them all. The
// difference of two counts taken around N operations is what those operations
// leaked (a count takes a fraction of a second; Wine's table holds ~65,480).

int GdiHeadroom();
// The same for USER handles (windows, menus, icons and cursors share one table), counted
// with empty menus, the cheapest of them (Wine's table holds ~32,740; Windows lets a
// process have 10,000 by default). Under Wine the table is the wineserver's, shared by
// every process: a test that counts it must run alone.
int UserHeadroom();
