#pragma once
// Executable slots that turn a call of a window procedure into a call on an object:
// the slot replaces the HWND argument with the object pointer and jumps on.
// The pool owns the pages; a caller owns each slot it is given until it frees it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

#include <windows.h>

class ThunkPool {
public:
    // 32-bit: mov [esp+4], object; jmp rel32. 64-bit: mov rcx, object; mov rax, target; jmp rax.
    static constexpr size_t kSlotSize = sizeof(void*) == 4 ? 16 : 32;
    using SlotCode = std::array<uint8_t, kSlotSize>;

    // The machine code of a slot at `slot` for this architecture, padded with breakpoints.
    static SlotCode Code(const void* object, const void* target, const void* slot) noexcept;

    // The process-wide pool.
    static ThunkPool& Instance();

    // A slot whose code puts `object` in place of the first argument and jumps to
    // `target`. Throws Win32Error when no memory can be had.
    [[nodiscard]] void* Allocate(const void* object, const void* target);
    // Gives a slot back; its bytes become breakpoints so that a stray call traps.
    void Free(void* slot) noexcept;

    size_t SlotsInUse() const noexcept;

    ThunkPool(const ThunkPool&) = delete;
    ThunkPool& operator=(const ThunkPool&) = delete;

private:
    ThunkPool() = default;
    ~ThunkPool() = default;  // pages live as long as the process: a thunk may be called during exit
    void AddPage();
    void Write(std::byte* slot, const SlotCode& code);

    mutable std::mutex m_mutex;
    std::vector<std::byte*> m_free;
    size_t m_inUse = 0;
    size_t m_pageSize = 0;
};
