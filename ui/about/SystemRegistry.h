#pragma once

// The registry of the platform we run on: the real one on Windows, the
// administrator's settings file elsewhere. Both offer the same three calls,
// the ones DesktopSysInfoPlatform forwards; RegistryStore below checks them
// on whichever store is chosen. The desktop build only ever chooses the
// settings file, so the test suite also compiles the Windows choice, with a
// cross compiler (tests/windows).

#ifdef _WIN32
#include "WinRegistry.h"
using SystemRegistry = WinRegistry;
#else
#include "IniRegistry.h"
using SystemRegistry = IniRegistry;
#endif

#include <concepts>
#include <cstdint>
#include <span>
#include <string>

// The calls as DesktopSysInfoPlatform makes them, with the same argument
// types; closeKey runs on the way out of a failed lookup and must not throw.
template <typename Registry>
concept RegistryStore = std::default_initializable<Registry>
    && requires(Registry& registry, std::uint32_t root, const std::string& name, RegistryKey key,
                RegistryKey& opened, std::uint32_t& type, std::span<unsigned char> buffer,
                std::uint32_t& byteCount) {
           { registry.openKey(root, name, opened) } -> std::same_as<long>;
           { registry.queryValue(key, name, type, buffer, byteCount) } -> std::same_as<long>;
           { registry.closeKey(key) } noexcept;
       };

static_assert(RegistryStore<SystemRegistry>);
