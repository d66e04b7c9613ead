#pragma once
// The scratch bitmap and string list that window and control painting share: made on
// first use, owned by this unit and released when the program ends. After that both
// accessors answer null, so painting late in shutdown draws nothing instead of using a
// freed object. GUI thread only.

class TBitmap;
class TStringList;

// The scratch bitmap resized to width x height with nearest-neighbour stretching; null
// after release or when it cannot be resized. Borrowed: never delete it.
TBitmap* SharedScratchBitmap(int width, int height) noexcept;
// The shared string list; null after release. Borrowed.
TStringList* SharedStringList() noexcept;
