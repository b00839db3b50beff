// Whether this translation unit is built with AddressSanitizer. GCC defines
// __SANITIZE_ADDRESS__; clang (14 among them) says so only through __has_feature.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#define ZYMORAX_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZYMORAX_ADDRESS_SANITIZER 1
#endif
#endif
