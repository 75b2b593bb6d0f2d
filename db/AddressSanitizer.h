#pragma once

// Whether AddressSanitizer watches this build's memory, as the compiler
// itself says, so that it holds however the sanitizer was asked for: the
// project's VORN_SANITIZE option, or -fsanitize=address given by hand. Its
// shadow memory reserves terabytes of address space, which a limit on a
// process's address space refuses, and it runs a program several times
// slower.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kAddressSanitized = true;
#elif defined(__has_feature)
inline constexpr bool kAddressSanitized = __has_feature(address_sanitizer);
#else
inline constexpr bool kAddressSanitized = false;
#endif
