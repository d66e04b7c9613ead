#pragma once
// Whole files as the program uses them: is there a file (not a folder) at a path, and
// its bytes read at once, up to a bound the caller sets for what it accepts; and the
// bytes of a resource of the program.

#include <cstddef>
#include <span>
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

// The names of the files (not folders) in `folder` that match `pattern` ("*.skin"), in
// the order the file system lists them; at most `limit` names are looked at.
std::vector<std::wstring> FileNamesIn(const std::wstring& folder, const std::wstring& pattern, size_t limit);

// The folder of the running program, without a trailing separator; empty if unknown.
std::wstring ProgramFolder();

// The bytes of resource `name` of `type` in `module` (null: the program), borrowed from
// the loaded module; empty when there is no such resource.
std::span<const std::byte> ResourceBytes(HMODULE module, const wchar_t* name, const wchar_t* type) noexcept;
