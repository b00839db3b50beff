// Releasing a record and every array block it owns, embedded records included.
#include <cstdlib>
#include <cstring>

#include "bridge_internal.h"

namespace {

using namespace zymorax::bridge;

int release_owned(const ClassDescriptor& descriptor, unsigned char* record);

int release_array(const ClassDescriptor& owner, const MemberDescriptor& member,
                  unsigned char* record) {
    const ClassDescriptor* element = element_descriptor(member);
    const MemberDescriptor* counter = nullptr;
    int64_t count = 0;
    if (element == nullptr || JU_fldname2md(&owner, member.countField, &counter) != 0 ||
        JU_getnum(record, counter->offset, counter->width, &count) != 0)
        return -1;
    unsigned char* block = nullptr;
    std::memcpy(&block, record + member.offset, sizeof block);
    if (count <= 0 || block == nullptr) return 0;
    for (int64_t index = 0; index < count; ++index) {
        if (release_owned(*element, block + static_cast<size_t>(index) * element->recordSize) != 0)
            return -1;
    }
    std::free(block);
    block = nullptr;
    std::memcpy(record + member.offset, &block, sizeof block);
    return 0;
}

int release_owned(const ClassDescriptor& descriptor, unsigned char* record) {
    if (!descriptor_usable(descriptor)) return -1;
    for (int32_t index = 0; index < descriptor.memberCount; ++index) {
        const MemberDescriptor& member = descriptor.members[index];
        if (!member_fits(descriptor, member)) return -1;
        if (member.kind == MEMBER_OBJECT_ARRAY && release_array(descriptor, member, record) != 0)
            return -1;
        if (member.kind == MEMBER_OBJECT) {
            const ClassDescriptor* embedded = element_descriptor(member);
            if (embedded == nullptr || release_owned(*embedded, record + member.offset) != 0)
                return -1;
        }
    }
    return 0;
}

}  // namespace

extern "C" int JU_free(const ClassDescriptor* descriptor, void* record) {
    if (record == nullptr) return 0;
    int result = -1;
    if (descriptor != nullptr)
        result = release_owned(*descriptor, static_cast<unsigned char*>(record));
    std::free(record);
    return result;
}
