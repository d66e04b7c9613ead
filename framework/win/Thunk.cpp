#include "framework/win/Thunk.h"

#include "framework/win/Win32Error.h"

#include <cstdint>
#include <cstring>

// The slot code patches a 32-bit stack slot and jumps with a 32-bit displacement.
static_assert(sizeof(void*) == 4, "window-procedure thunks are written for 32-bit x86");

ThunkPool& ThunkPool::Instance() {
    static ThunkPool pool;
    return pool;
}

void ThunkPool::AddPage() {
    if (m_pageSize == 0) {
        SYSTEM_INFO info{};
        ::GetSystemInfo(&info);
        m_pageSize = info.dwPageSize;
    }
    auto* page = static_cast<std::byte*>(::VirtualAlloc(nullptr, m_pageSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!page) throw Win32Error::Last(u"VirtualAlloc");
    std::memset(page, 0xCC, m_pageSize);
    DWORD old = 0;
    if (!::VirtualProtect(page, m_pageSize, PAGE_EXECUTE_READ, &old)) {
        const auto error = Win32Error::Last(u"VirtualProtect");
        ::VirtualFree(page, 0, MEM_RELEASE);
        throw error;
    }
    // Hand out the lowest slot first, which keeps early windows on the first page.
    for (size_t offset = m_pageSize; offset >= kSlotSize; offset -= kSlotSize)
        m_free.push_back(page + offset - kSlotSize);
}

void ThunkPool::Write(std::byte* slot, const std::byte (&code)[kSlotSize]) {
    // The page is writable only while one slot is written, never writable and
    // executable at once.
    auto* page = reinterpret_cast<std::byte*>(reinterpret_cast<uintptr_t>(slot) & ~uintptr_t{m_pageSize - 1});
    DWORD old = 0;
    if (!::VirtualProtect(page, m_pageSize, PAGE_READWRITE, &old)) throw Win32Error::Last(u"VirtualProtect");
    std::memcpy(slot, code, kSlotSize);
    if (!::VirtualProtect(page, m_pageSize, PAGE_EXECUTE_READ, &old)) throw Win32Error::Last(u"VirtualProtect");
    ::FlushInstructionCache(::GetCurrentProcess(), slot, kSlotSize);
}

void* ThunkPool::Allocate(const void* object, const void* target) {
    std::lock_guard lock{m_mutex};
    if (m_free.empty()) AddPage();
    std::byte* slot = m_free.back();

    std::byte code[kSlotSize];
    std::memset(code, 0xCC, sizeof code);
    // mov dword [esp+4], object   -- the HWND argument becomes the object pointer
    const uint8_t mov[] = {0xC7, 0x44, 0x24, 0x04};
    std::memcpy(code, mov, sizeof mov);
    const auto imm = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(object));
    std::memcpy(code + 4, &imm, 4);
    // jmp target                  -- relative to the end of the 5-byte jump
    code[8] = std::byte{0xE9};
    const auto rel = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(target) -
                                           (reinterpret_cast<uintptr_t>(slot) + 13));
    std::memcpy(code + 9, &rel, 4);

    Write(slot, code);
    m_free.pop_back();
    ++m_inUse;
    return slot;
}

void ThunkPool::Free(void* slot) noexcept {
    if (!slot) return;
    std::lock_guard lock{m_mutex};
    std::byte code[kSlotSize];
    std::memset(code, 0xCC, sizeof code);
    try {
        Write(static_cast<std::byte*>(slot), code);
    } catch (...) {
        // Leave the old code in place; the slot is still safe to reuse, as reuse rewrites it.
    }
    m_free.push_back(static_cast<std::byte*>(slot));
    --m_inUse;
}

size_t ThunkPool::SlotsInUse() const noexcept {
    std::lock_guard lock{m_mutex};
    return m_inUse;
}
