#include "WinRegistry.h"

#include <windows.h>

namespace {

// Predefined roots are 32-bit values sign-extended to a pointer: 0x80000002
// is HKEY_LOCAL_MACHINE only as 0xFFFFFFFF80000002 on 64-bit Windows.
HKEY rootHandle(std::uint32_t root)
{
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(root))));
}

HKEY keyHandle(RegistryKey key) { return reinterpret_cast<HKEY>(key); }

}  // namespace

long WinRegistry::openKey(std::uint32_t root, const std::string& keyPath, RegistryKey& key)
{
    // Read access only: asking for write rights below HKEY_LOCAL_MACHINE is
    // refused to ordinary users, and the lookup would then fail for them.
    HKEY opened = nullptr;
    const LONG code = RegOpenKeyExA(rootHandle(root), keyPath.c_str(), 0, KEY_READ, &opened);
    if (code == ERROR_SUCCESS)
        key = reinterpret_cast<RegistryKey>(opened);
    return code;
}

long WinRegistry::queryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type,
                             std::span<unsigned char> buffer, std::uint32_t& byteCount) const
{
    DWORD storedType = 0;
    DWORD size = static_cast<DWORD>(buffer.size());
    const LONG code = RegQueryValueExA(keyHandle(key), valueName.c_str(), nullptr, &storedType,
                                       buffer.data(), &size);
    type = storedType;
    byteCount = size;
    return code;
}

void WinRegistry::closeKey(RegistryKey key) noexcept
{
    RegCloseKey(keyHandle(key));
}
