#include "heap_tracker.h"

#include <link.h>

#include <atomic>
#include <cstdint>
#include <cstring>

#include "sanitizer.h"

#if defined(ZYMORAX_ADDRESS_SANITIZER)

namespace bridge_test::heap_tracker {
bool available() { return false; }
bool start() { return false; }
void stop() {}
void watch(void*) {}
size_t bridge_allocations() { return 0; }
size_t live_blocks() { return 0; }
}  // namespace bridge_test::heap_tracker

#else

extern "C" void* __libc_calloc(size_t count, size_t size);
extern "C" void __libc_free(void* block);

namespace {

// An open-addressing set of block addresses that any thread may update without locking.
constexpr size_t kSlots = size_t{1} << 14;
constexpr uintptr_t kEmpty = 0;
constexpr uintptr_t kRemoved = 1;

std::atomic<uintptr_t> g_slots[kSlots];
std::atomic<bool> g_tracking{false};
std::atomic<size_t> g_bridge_allocations{0};
std::atomic<size_t> g_live{0};
uintptr_t g_code_begin = 0;
uintptr_t g_code_end = 0;

size_t slot_of(uintptr_t address) { return (address >> 4) * 0x9E3779B97F4A7C15ull % kSlots; }

void remember(void* block) {
    const auto address = reinterpret_cast<uintptr_t>(block);
    for (size_t probe = 0, slot = slot_of(address); probe < kSlots;
         ++probe, slot = (slot + 1) % kSlots) {
        uintptr_t seen = g_slots[slot].load();
        if ((seen == kEmpty || seen == kRemoved) &&
            g_slots[slot].compare_exchange_strong(seen, address)) {
            ++g_live;
            return;
        }
    }
}

void forget(void* block) {
    const auto address = reinterpret_cast<uintptr_t>(block);
    for (size_t probe = 0, slot = slot_of(address); probe < kSlots;
         ++probe, slot = (slot + 1) % kSlots) {
        uintptr_t seen = g_slots[slot].load();
        if (seen == kEmpty) return;
        if (seen == address && g_slots[slot].compare_exchange_strong(seen, kRemoved)) {
            --g_live;
            return;
        }
    }
}

// The executable segment of libZYMORAX_Formula.so, where the bridge's calls to calloc come from.
int find_bridge_code(dl_phdr_info* info, size_t, void*) {
    if (info->dlpi_name == nullptr || std::strstr(info->dlpi_name, "libZYMORAX_Formula.so") == nullptr)
        return 0;
    for (int index = 0; index < info->dlpi_phnum; ++index) {
        const ElfW(Phdr)& header = info->dlpi_phdr[index];
        if (header.p_type == PT_LOAD && (header.p_flags & PF_X) != 0) {
            g_code_begin = info->dlpi_addr + header.p_vaddr;
            g_code_end = g_code_begin + header.p_memsz;
        }
    }
    return 1;
}

bool from_bridge(void* caller) {
    const auto address = reinterpret_cast<uintptr_t>(caller);
    return address >= g_code_begin && address < g_code_end;
}

}  // namespace

extern "C" void* calloc(size_t count, size_t size) {
    void* block = __libc_calloc(count, size);
    if (block != nullptr && g_tracking.load() && from_bridge(__builtin_return_address(0))) {
        ++g_bridge_allocations;
        remember(block);
    }
    return block;
}

extern "C" void free(void* block) {
    if (block != nullptr && g_tracking.load()) forget(block);
    __libc_free(block);
}

namespace bridge_test::heap_tracker {

bool available() { return true; }

bool start() {
    g_tracking = false;
    if (g_code_end == 0) dl_iterate_phdr(find_bridge_code, nullptr);
    for (auto& slot : g_slots) slot = kEmpty;
    g_bridge_allocations = 0;
    g_live = 0;
    g_tracking = g_code_end != 0;
    return g_tracking;
}

void stop() { g_tracking = false; }
void watch(void* block) { remember(block); }
size_t bridge_allocations() { return g_bridge_allocations; }
size_t live_blocks() { return g_live; }

}  // namespace bridge_test::heap_tracker

#endif
