#pragma once
// TSkinReader opens a packed skin: unpacks the container and looks up its files
// (bitmaps and the skin description) by name. Platform-neutral.

#include "framework/core/Exception.h"
#include "framework/core/Stream.h"
#include "framework/core/StringList.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A container whose header, name list or size table does not fit its bytes.
class ESkinFormatError : public Exception {
public:
    using Exception::Exception;
};

class TSkinReader {
public:
    static constexpr int32_t kVersion = 20000;
    static constexpr int kMaxFiles = 1001;
    static constexpr int kHeaderSize = 16;
    static constexpr std::u16string_view kOldSkinMessage = u"This is Older Skin File\rPlease update to new version !";

    // Shows a message to the user. The Win32 side installs one that opens a message
    // box; without one the message goes nowhere.
    using Notifier = std::function<void(std::u16string_view text)>;
    // Sets the notifier every reader uses and returns the previous one.
    static Notifier SetNotifier(Notifier notifier);
    // Tells the user `text` through the current notifier (also for skins that are damaged).
    static void Notify(std::u16string_view text);

    // Rewinds both streams, reads the unpacked length from `packed` and decodes the
    // rest into `target`, which is emptied first. Raises ElzhException for a length
    // the input cannot hold.
    static void Unpack(TMemoryStream& packed, TMemoryStream& target);

    // Unpacks and parses the container. Returns false, after telling the user once,
    // when the container is of another version; nothing else changes then. Raises
    // ESkinFormatError for a malformed container and keeps what it had.
    bool Open(TMemoryStream& packed);

    // Empties `target`, copies into it the first file named `name` (any letter case)
    // and rewinds it. `target` stays empty when there is no such file.
    void ReadFile(std::string_view name, TMemoryStream& target) const;
    // As ReadFile for the first file whose name contains `part` (compared as given
    // with the lower-cased names); sets `foundName` only when one does.
    void FindFile(std::string_view part, TMemoryStream& target, std::string& foundName) const;
    // Reads the bitmap that a value of the skin description names (see
    // SkinBitmapName); true when a non-empty file was found.
    bool ReadBitmap(std::string_view value, TMemoryStream& target) const;
    // The bytes of the first file named `name` (any letter case), or of the bitmap a
    // description value names, without a copy: valid until the next Open. Empty when
    // there is no such file.
    std::span<const std::byte> File(std::string_view name) const;
    std::span<const std::byte> Bitmap(std::string_view value) const;

    const TAnsiStringList& FileNames() const noexcept { return m_fileNames; }
    int32_t FileCount() const noexcept { return m_fileCount; }
    // Size of file `index`; 0 outside the list.
    int32_t FileSize(int index) const noexcept;
    // The files' bytes, one after another in the order of the list.
    std::span<const std::byte> FileData() const noexcept { return std::span(m_unpacked).subspan(m_dataOffset); }
    int32_t Version() const noexcept { return m_version; }
    int32_t NamesLength() const noexcept { return m_namesLength; }

private:
    // The first file whose lower-cased name `match` accepts; none when no name does.
    template <class Match>
    std::optional<std::span<const std::byte>> FindFirst(Match match, std::string* foundName) const;
    static void CopyInto(std::span<const std::byte> bytes, TMemoryStream& target);

    TAnsiStringList m_fileNames;
    int32_t m_fileCount = 0;
    std::array<int32_t, kMaxFiles> m_fileSizes{};
    // The whole unpacked container, kept as unpacked (a copy of the files would cost a
    // second buffer of the skin's size at every load); the files start at m_dataOffset.
    std::vector<std::byte> m_unpacked;
    size_t m_dataOffset = 0;
    int32_t m_version = 0;
    int32_t m_namesLength = 0;
    std::array<std::byte, 8> m_reserved{};
};

// The container file a description value names: the part after the last backslash
// or colon, if its extension is exactly ".bmp" (".BMP" does not qualify); otherwise
// empty, which stands for "no bitmap".
std::string SkinBitmapName(std::string_view value);
