#include "framework/win/Thunk.h"

#include "framework/core/FailureLog.h"
#include "framework/win/Win32Error.h"

#include <cstdint>
#include <cstring>

#if defined(_M_IX86) || defined(__i386__)
// stdcall: the HWND is the stack slot above the return address. Overwriting it keeps the
// stack depth, so the callee's `ret 16` still balances the caller's frame.
ThunkPool::SlotCode ThunkPool::Code(const void* object, const void* target, const void* slot) noexcept {
    SlotCode code;
    code.fill(0xCC);
    const uint8_t mov[] = {0xC7, 0x44, 0x24, 0x04};  // mov dword [esp+4], imm32
    std::memcpy(code.data(), mov, sizeof mov);
    const auto imm = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(object));
    std::memcpy(code.data() + 4, &imm, 4);
    code[8] = 0xE9;  // jmp rel32, relative to the end of the 5-byte jump
    const auto rel = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(target) - (reinterpret_cast<uintptr_t>(slot) + 13));
    std::memcpy(code.data() + 9, &rel, 4);
    return code;
}
#elif defined(_M_X64) || defined(__x86_64__)
// Microsoft x64: the HWND arrives in RCX. RAX is free on entry, so it carries the target
// of an absolute jump: pages from VirtualAlloc may lie more than 2 GiB from the code.
ThunkPool::SlotCode ThunkPool::Code(const void* object, const void* target, const void*) noexcept {
    SlotCode code;
    code.fill(0xCC);
    const auto objectBits = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(object));
    const auto targetBits = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(target));
    code[0] = 0x48, code[1] = 0xB9;  // mov rcx, imm64
    std::memcpy(code.data() + 2, &objectBits, 8);
    code[10] = 0x48, code[11] = 0xB8;  // mov rax, imm64
    std::memcpy(code.data() + 12, &targetBits, 8);
    code[20] = 0xFF, code[21] = 0xE0;  // jmp rax
    return code;
}
#else
#error "window-procedure thunks are written for x86 and x86-64"
#endif

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

void ThunkPool::Write(std::byte* slot, const SlotCode& code) {
    // The page is writable only while one slot is written, never writable and
    // executable at once.
    auto* page = reinterpret_cast<std::byte*>(reinterpret_cast<uintptr_t>(slot) & ~uintptr_t{m_pageSize - 1});
    DWORD old = 0;
    if (!::VirtualProtect(page, m_pageSize, PAGE_READWRITE, &old)) throw Win32Error::Last(u"VirtualProtect");
    std::memcpy(slot, code.data(), kSlotSize);
    if (!::VirtualProtect(page, m_pageSize, PAGE_EXECUTE_READ, &old)) throw Win32Error::Last(u"VirtualProtect");
    ::FlushInstructionCache(::GetCurrentProcess(), slot, kSlotSize);
}

void* ThunkPool::Allocate(const void* object, const void* target) {
    std::lock_guard lock{m_mutex};
    if (m_free.empty()) AddPage();
    // Taken off first: a slot that cannot be written stays out of use rather than
    // failing every later call.
    std::byte* slot = m_free.back();
    m_free.pop_back();
    Write(slot, Code(object, target, slot));
    ++m_inUse;
    return slot;
}

void ThunkPool::Free(void* slot) noexcept {
    if (!slot) return;
    std::lock_guard lock{m_mutex};
    --m_inUse;
    SlotCode breakpoints;
    breakpoints.fill(0xCC);
    try {
        Write(static_cast<std::byte*>(slot), breakpoints);
        m_free.push_back(static_cast<std::byte*>(slot));
    } catch (...) {
        // A slot whose page would not change protection keeps its old code; handed out
        // again, every later Allocate would fail on it. It stays out of use instead.
        LogCurrentException(u"A window-procedure thunk could not be freed; its slot is retired");
    }
}

size_t ThunkPool::SlotsInUse() const noexcept {
    std::lock_guard lock{m_mutex};
    return m_inUse;
}
