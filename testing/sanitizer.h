// Test helpers: whether this build runs under AddressSanitizer, which
// reserves terabytes of address space and keeps freed blocks in quarantine
// instead of giving them back. Tests that cap the address space or bound a
// run's peak memory need to know.
#pragma once

// GCC names AddressSanitizer by a macro, clang by a feature.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kAddressSanitizer = true;
#else
inline constexpr bool kAddressSanitizer = false;
#endif
#else
inline constexpr bool kAddressSanitizer = false;
#endif
