#include "SysInfo.h"

#include <QByteArray>

#include <array>
#include <exception>
#include <optional>
#include <string_view>

namespace {

// Closes an opened key on every way out of a lookup, a thrown error included.
class OpenedKey {
public:
    OpenedKey(SysInfoPlatform& platform, RegistryKey key) : platform_(platform), key_(key) {}
    ~OpenedKey() { platform_.closeKey(key_); }
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;

private:
    SysInfoPlatform& platform_;
    RegistryKey key_;
};

// A stored string ends with its NUL, which is no part of the text; a value
// stored without one is taken whole.
std::string_view withoutTrailingNul(std::string_view stored)
{
    if (!stored.empty() && stored.back() == '\0')
        stored.remove_suffix(1);
    return stored;
}

// A number stored little-endian, written as hexadecimal digits from its
// most significant byte.
std::string hexDigitsLastToFirst(std::string_view bytes)
{
    const std::string lastToFirst(bytes.rbegin(), bytes.rend());
    return QByteArray::fromRawData(lastToFirst.data(), static_cast<qsizetype>(lastToFirst.size()))
        .toHex()
        .toUpper()
        .toStdString();
}

// The program to start, or nothing when neither entry leads to one.
std::optional<std::string> locateSysInfo(SysInfoPlatform& platform)
{
    std::string path;
    // The tool's own entry is trusted as it stands; starting it tests it.
    if (GetKeyValue(platform, kHKeyLocalMachine, kSysInfoKey, kSysInfoValue, path))
        return path;
    if (!GetKeyValue(platform, kHKeyLocalMachine, kSysInfoFolderKey, kSysInfoFolderValue, path))
        return std::nullopt;
    path += '\\';
    path += kSysInfoFileName;
    if (platform.findFile(path).empty())
        return std::nullopt;
    return path;
}

}  // namespace

bool GetKeyValue(SysInfoPlatform& platform, std::uint32_t keyRoot, const std::string& keyName,
                 const std::string& subKeyRef, std::string& keyVal)
{
    RegistryKey key{};
    if (platform.openKey(keyRoot, keyName, key) != kErrorSuccess) {
        keyVal.clear();
        return false;
    }
    const OpenedKey opened(platform, key);

    std::array<unsigned char, kValueBufferSize> buffer{};
    std::uint32_t type = 0;
    std::uint32_t byteCount = 0;
    // A count beyond the buffer would make us read bytes the store never
    // wrote: such a store is as unreadable as one that reports an error.
    if (platform.queryValue(key, subKeyRef, type, buffer, byteCount) != kErrorSuccess
        || byteCount > buffer.size()) {
        keyVal.clear();
        return false;
    }
    if (byteCount == 0)
        throw SysInfoError("value " + subKeyRef + " of " + keyName + " holds no bytes");

    const std::string_view kept =
        withoutTrailingNul({reinterpret_cast<const char*>(buffer.data()), byteCount});
    if (type == kValueText)
        keyVal = kept;
    else if (type == kValueNumber)
        keyVal = "&h" + keyVal + hexDigitsLastToFirst(kept);
    return true;
}

void StartSysInfo(SysInfoPlatform& platform)
{
    try {
        if (const auto path = locateSysInfo(platform)) {
            platform.startProgram(*path);
            return;
        }
    } catch (const std::exception&) {
        // Whatever went wrong, the user hears the same message below.
    }
    platform.showMessage(kSysInfoUnavailable, kAppTitle);
}
