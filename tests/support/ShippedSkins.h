#pragma once
// Where the shipped skins lie as a Windows program of the build sees them: the folder is
// a Unix path at build time (KESTRELLE_SKIN_DIR), and the host's root is drive Z under Wine.

#include <algorithm>
#include <string>

#ifdef KESTRELLE_SKIN_DIR
inline std::wstring ShippedSkinFolder() {
    const std::string dir = KESTRELLE_SKIN_DIR;
    std::wstring folder = L"Z:" + std::wstring(dir.begin(), dir.end());
    std::replace(folder.begin(), folder.end(), L'/', L'\\');
    return folder;
}
#endif
