#include "skin/data/SkinReader.h"

#include "framework/core/LittleEndian.h"
#include "framework/core/Strings.h"
#include "skin/data/Lzh.h"

#include <cstring>
#include <utility>

namespace {

TSkinReader::Notifier& CurrentNotifier() {
    static TSkinReader::Notifier notifier;
    return notifier;
}

[[noreturn]] void Malformed(const std::string& what) { throw ESkinFormatError(FromUtf8("Skin container: " + what)); }

int32_t Int32At(std::span<const std::byte> bytes, size_t offset) noexcept {
    return static_cast<int32_t>(GetLe32(bytes, offset));
}

}  // namespace

TSkinReader::Notifier TSkinReader::SetNotifier(Notifier notifier) {
    return std::exchange(CurrentNotifier(), std::move(notifier));
}

void TSkinReader::Notify(std::u16string_view text) {
    if (const auto& notify = CurrentNotifier()) notify(text);
}

void TSkinReader::Unpack(TMemoryStream& packed, TMemoryStream& target) {
    packed.SetPosition(0);
    target.Clear();
    if (packed.Size() < 4) throw ElzhException(u"LZH : Packed skin stream is too short to hold its length");
    const int32_t unpackedLength = packed.ReadInt32();
    TLZH lzh(packed, target);
    target.SetBytes(lzh.DecodeBytes(unpackedLength));
    // Read on, a cut file would pass for a skin with pictures of noise.
    if (lzh.InputRanOut()) throw ElzhException(u"LZH : The packed skin ends before its data does");
    target.SetPosition(0);
}

bool TSkinReader::Open(TMemoryStream& packed) {
    TMemoryStream unpacked;
    Unpack(packed, unpacked);
    const std::span<const std::byte> bytes = unpacked.Bytes();
    const size_t total = bytes.size();

    if (total < kHeaderSize)
        Malformed("the header needs 16 bytes, the skin unpacks to " + std::to_string(total));
    const int32_t version = Int32At(bytes, 0);
    const int32_t namesLength = Int32At(bytes, 4);
    if (version != kVersion) {
        m_version = version;
        m_namesLength = namesLength;
        std::memcpy(m_reserved.data(), bytes.data() + 8, m_reserved.size());
        Notify(kOldSkinMessage);
        return false;
    }

    // Check everything before taking anything, so a bad container leaves us as we were.
    size_t offset = kHeaderSize;
    if (namesLength < 0 || static_cast<size_t>(namesLength) > total - offset)
        Malformed("name list of " + std::to_string(namesLength) + " bytes does not fit");
    const std::string_view nameText(reinterpret_cast<const char*>(bytes.data() + offset),
                                    static_cast<size_t>(namesLength));
    offset += static_cast<size_t>(namesLength);
    TAnsiStringList names;
    names.SetText(AsciiLower(nameText));
    const int count = names.Count();
    if (count > kMaxFiles)
        Malformed(std::to_string(count) + " files listed, at most " + std::to_string(kMaxFiles) + " are allowed");
    if (static_cast<size_t>(count) * 4 > total - offset) Malformed("size table does not fit");
    std::array<int32_t, kMaxFiles> sizes{};
    int64_t sum = 0;
    for (int i = 0; i < count; ++i, offset += 4) {
        sizes[static_cast<size_t>(i)] = Int32At(bytes, offset);
        if (sizes[static_cast<size_t>(i)] < 0)
            Malformed("file \"" + names[i] + "\" has a negative size");
        sum += sizes[static_cast<size_t>(i)];
    }
    if (sum > static_cast<int64_t>(total - offset))
        Malformed("file sizes add up to " + std::to_string(sum) + " bytes, only " + std::to_string(total - offset) +
                  " are present");

    m_version = version;
    m_namesLength = namesLength;
    std::memcpy(m_reserved.data(), bytes.data() + 8, m_reserved.size());
    m_fileNames = std::move(names);
    m_fileCount = count;
    m_fileSizes = sizes;
    m_unpacked = unpacked.TakeBytes();
    m_dataOffset = offset;
    return true;
}

int32_t TSkinReader::FileSize(int index) const noexcept {
    return index >= 0 && index < m_fileCount ? m_fileSizes[static_cast<size_t>(index)] : 0;
}

void TSkinReader::CopyInto(std::span<const std::byte> bytes, TMemoryStream& target) {
    target.Clear();
    if (!bytes.empty()) target.WriteBuffer(bytes);
    target.SetPosition(0);
}

template <class Match>
std::optional<std::span<const std::byte>> TSkinReader::FindFirst(Match match, std::string* foundName) const {
    const auto data = FileData();
    size_t offset = 0;
    for (int i = 0; i < m_fileCount; ++i) {
        const auto size = static_cast<size_t>(m_fileSizes[static_cast<size_t>(i)]);
        if (match(m_fileNames[i])) {
            if (foundName) *foundName = m_fileNames[i];
            // Open has checked that every file lies inside FileData; stay inside regardless.
            if (offset > data.size()) return std::span<const std::byte>{};
            return data.subspan(offset, std::min(size, data.size() - offset));
        }
        offset += size;
    }
    return std::nullopt;
}

std::span<const std::byte> TSkinReader::File(std::string_view name) const {
    const std::string wanted = AsciiLower(name);
    return FindFirst([&](const std::string& entry) { return entry == wanted; }, nullptr)
        .value_or(std::span<const std::byte>{});
}

void TSkinReader::ReadFile(std::string_view name, TMemoryStream& target) const { CopyInto(File(name), target); }

void TSkinReader::FindFile(std::string_view part, TMemoryStream& target, std::string& foundName) const {
    const auto bytes = FindFirst([&](const std::string& entry) { return entry.find(part) != std::string::npos; },
                                 &foundName);
    CopyInto(bytes.value_or(std::span<const std::byte>{}), target);
}

std::span<const std::byte> TSkinReader::Bitmap(std::string_view value) const {
    const std::string name = SkinBitmapName(value);
    return name.empty() ? std::span<const std::byte>{} : File(name);
}

bool TSkinReader::ReadBitmap(std::string_view value, TMemoryStream& target) const {
    const auto bytes = Bitmap(value);
    CopyInto(bytes, target);
    return !bytes.empty();
}

std::string SkinBitmapName(std::string_view value) {
    const size_t cut = value.find_last_of("\\:");
    const std::string_view name = cut == std::string_view::npos ? value : value.substr(cut + 1);
    const size_t dot = name.rfind('.');
    if (name.empty() || dot == std::string_view::npos || name.substr(dot) != ".bmp") return {};
    return std::string(name);
}
