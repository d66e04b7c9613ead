#pragma once
// Whole files as the program uses them: is there a file (not a folder) at a path, and
// its bytes read at once, up to a bound the caller sets for what it accepts.

#include <cstddef>
#include <string>
#include <vector>

#include <windows.h>

// True when `path` names an existing file; false for a folder or nothing.
bool FileExists(const std::wstring& path) noexcept;

enum class TWholeFileRead { Done, CannotOpen, CannotRead, TooLarge };

// Reads the whole file into `bytes` (left empty on failure). `share` is what others may
// do with the file while it is read; a file larger than `maxBytes` is not read at all.
TWholeFileRead ReadWholeFile(const std::wstring& path, size_t maxBytes, std::vector<std::byte>& bytes,
                             DWORD share = FILE_SHARE_READ);
