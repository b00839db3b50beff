// Little-endian integers of 1, 2, 4 or 8 bytes inside a record.
#include <cstdint>

#include "zymorax_formula.h"

namespace {

bool accepted_width(int width) { return width == 1 || width == 2 || width == 4 || width == 8; }

}  // namespace

extern "C" {

int JU_setnum(void* record, int offset, int width, int64_t value) {
    if (record == nullptr || offset < 0 || !accepted_width(width)) return -1;
    unsigned char* bytes = static_cast<unsigned char*>(record) + offset;
    uint64_t bits = static_cast<uint64_t>(value);
    for (int index = 0; index < width; ++index) {
        bytes[index] = static_cast<unsigned char>(bits & 0xFF);
        bits >>= 8;
    }
    return 0;
}

int JU_getnum(const void* record, int offset, int width, int64_t* value) {
    if (record == nullptr || value == nullptr || offset < 0 || !accepted_width(width)) return -1;
    const unsigned char* bytes = static_cast<const unsigned char*>(record) + offset;
    uint64_t bits = 0;
    for (int index = width - 1; index >= 0; --index) bits = (bits << 8) | bytes[index];
    const bool negative = (bits >> (8 * width - 1)) != 0;
    if (width < 8 && negative) bits |= ~uint64_t{0} << (8 * width);
    *value = static_cast<int64_t>(bits);
    return 0;
}

}  // extern "C"
