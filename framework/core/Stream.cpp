#include "framework/core/Stream.h"

#include "framework/core/Exception.h"
#include "framework/core/LittleEndian.h"

#include <algorithm>
#include <cstring>
#include <utility>

void TStream::ReadBuffer(std::span<std::byte> buffer) {
    if (Read(buffer) != buffer.size()) throw EReadError(u"Stream read error");
}

void TStream::WriteBuffer(std::span<const std::byte> bytes) {
    if (Write(bytes) != bytes.size()) throw EWriteError(u"Stream write error");
}

int32_t TStream::ReadInt32() {
    std::byte b[4];
    ReadBuffer(b);
    return static_cast<int32_t>(GetLe32(b, 0));
}

void TStream::WriteInt32(int32_t value) {
    std::byte b[4];
    PutLe32(b, 0, static_cast<uint32_t>(value));
    WriteBuffer(b);
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count < 0) count = source.Remaining();
    std::vector<std::byte> chunk(static_cast<size_t>(std::min<int64_t>(count, 1 << 16)));
    int64_t copied = 0;
    while (copied < count) {
        const auto want = static_cast<size_t>(std::min<int64_t>(count - copied, static_cast<int64_t>(chunk.size())));
        const size_t got = source.Read(std::span(chunk.data(), want));
        if (got == 0) break;
        WriteBuffer(std::span<const std::byte>(chunk.data(), got));
        copied += static_cast<int64_t>(got);
    }
    return copied;
}

size_t TMemoryStream::Read(std::span<std::byte> buffer) {
    const size_t available = m_position < m_bytes.size() ? m_bytes.size() - m_position : 0;
    const size_t n = std::min(available, buffer.size());
    if (n) std::memcpy(buffer.data(), m_bytes.data() + m_position, n);
    m_position += n;
    return n;
}

size_t TMemoryStream::Write(std::span<const std::byte> bytes) {
    if (bytes.empty()) return 0;
    if (m_position > m_bytes.size()) m_bytes.resize(m_position);  // the gap a seek past the end left reads as zeros
    // Overwrite what lies ahead, then append the rest without zero-filling it first.
    const size_t inside = std::min(bytes.size(), m_bytes.size() - m_position);
    if (inside) std::memcpy(m_bytes.data() + m_position, bytes.data(), inside);
    m_bytes.insert(m_bytes.end(), bytes.begin() + static_cast<ptrdiff_t>(inside), bytes.end());
    m_position += bytes.size();
    return bytes.size();
}

int64_t TMemoryStream::Seek(int64_t offset, SeekOrigin origin) {
    const int64_t base = origin == SeekOrigin::Begin ? 0
                         : origin == SeekOrigin::Current ? static_cast<int64_t>(m_position)
                                                         : static_cast<int64_t>(m_bytes.size());
    m_position = static_cast<size_t>(std::max<int64_t>(0, base + offset));
    return static_cast<int64_t>(m_position);
}

void TMemoryStream::SetSize(size_t size) {
    m_bytes.resize(size);
    m_position = std::min(m_position, size);
}

std::vector<std::byte> TMemoryStream::TakeBytes() noexcept {
    m_position = 0;
    return std::exchange(m_bytes, {});
}
