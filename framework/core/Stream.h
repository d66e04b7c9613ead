#pragma once
// Byte streams: the abstract TStream and TMemoryStream, which owns a growable
// buffer. Platform-neutral.

#include "framework/core/Object.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

enum class SeekOrigin { Begin, Current, End };

class TStream : public TObject {
    KESTRELLE_CLASS(TStream, TObject)

public:
    // Reads up to buffer.size() bytes; returns how many were read (0 at the end).
    virtual size_t Read(std::span<std::byte> buffer) = 0;
    // Writes the bytes; returns how many were written.
    virtual size_t Write(std::span<const std::byte> bytes) = 0;
    // Moves the position, clamped to 0 at the start; returns the new position.
    virtual int64_t Seek(int64_t offset, SeekOrigin origin) = 0;
    virtual int64_t Size() const = 0;

    int64_t Position() { return Seek(0, SeekOrigin::Current); }
    void SetPosition(int64_t position) { (void)Seek(position, SeekOrigin::Begin); }
    int64_t Remaining() { return Size() - Position(); }

    // Reads exactly buffer.size() bytes or throws EReadError.
    void ReadBuffer(std::span<std::byte> buffer);
    // Writes every byte or throws EWriteError.
    void WriteBuffer(std::span<const std::byte> bytes);
    // Little-endian 32-bit integer; throws EReadError at the end.
    int32_t ReadInt32();
    void WriteInt32(int32_t value);
    // Copies `count` bytes from `source` (all that remain when count < 0); returns how many.
    int64_t CopyFrom(TStream& source, int64_t count);
};

class TMemoryStream : public TStream {
    KESTRELLE_CLASS(TMemoryStream, TStream)

public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<std::byte> bytes) : m_bytes(std::move(bytes)) {}

    size_t Read(std::span<std::byte> buffer) override;
    size_t Write(std::span<const std::byte> bytes) override;
    int64_t Seek(int64_t offset, SeekOrigin origin) override;
    int64_t Size() const override { return static_cast<int64_t>(m_bytes.size()); }

    // Changes the size; the position stays, clamped to the new end.
    void SetSize(size_t size);
    void Clear() noexcept {
        m_bytes.clear();
        m_position = 0;
    }
    std::span<const std::byte> Bytes() const noexcept { return m_bytes; }
    std::span<std::byte> Bytes() noexcept { return m_bytes; }
    std::vector<std::byte> TakeBytes() noexcept;
    // Takes `bytes` as the whole stream, positioned at its start.
    void SetBytes(std::vector<std::byte> bytes) noexcept {
        m_bytes = std::move(bytes);
        m_position = 0;
    }

private:
    std::vector<std::byte> m_bytes;
    size_t m_position = 0;
};
