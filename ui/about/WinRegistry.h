#pragma once

// The Windows registry itself, through the ANSI registry functions: key
// paths, value names and texts stay in the system code page end to end.

#include "SysInfoPlatform.h"

#include <cstdint>
#include <span>
#include <string>

class WinRegistry {
public:
    long openKey(std::uint32_t root, const std::string& keyPath, RegistryKey& key);
    long queryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type,
                    std::span<unsigned char> buffer, std::uint32_t& byteCount) const;
    void closeKey(RegistryKey key) noexcept;
};
