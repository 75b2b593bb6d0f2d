#pragma once

// The desktop's stand-in for the machine part of the Windows registry: a
// read-only INI file that the administrator writes, by default
// /etc/xdg/vorn-foe/registry.ini. Each section is a key path below
// HKEY_LOCAL_MACHINE, written exactly as in the registry, backslashes and
// all; each line name=value is a value of that key:
//
//   [SOFTWARE\Microsoft\Shared Tools\MSINFO]
//   PATH=/usr/bin/hardinfo
//
// Values are text, taken as written after trimming the blanks around them;
// "dword:" followed by one to eight hex digits is a 32-bit number instead.
// Key paths and value names match ignoring letter case, as in the registry.
// Lines starting with ';' or '#' are comments; a name given twice keeps its
// last value.
//
// When the file has no value PATH for the system-information key, the store
// answers with the first of kSysInfoTools found on the search path, so that
// System Info works on an ordinary desktop with nothing configured.

#include "SysInfoPlatform.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <map>
#include <span>
#include <string>

// Desktop programs that show hardware and system details, best first.
inline constexpr const char* kSysInfoTools[] = {
    "hardinfo2", "hardinfo", "kinfocenter", "cpu-x", "gnome-system-monitor", "mate-system-monitor",
};

class IniRegistry {
public:
    // Reads `file` once, now. A missing file is an empty store; a file that
    // exists but cannot be read makes every key fail with kErrorAccessDenied.
    explicit IniRegistry(const QString& file = defaultFile());

    // vorn-foe/registry.ini in the first system configuration folder
    // ($XDG_CONFIG_DIRS, by default /etc/xdg) that has one. The user's own
    // configuration folder does not count: the store is the administrator's.
    static QString defaultFile();

    long openKey(std::uint32_t root, const std::string& keyPath, RegistryKey& key);
    long queryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type,
                    std::span<unsigned char> buffer, std::uint32_t& byteCount) const;
    void closeKey(RegistryKey key) noexcept;

private:
    struct Value {
        std::uint32_t type;
        QByteArray bytes;  // as the registry stores them: a text with its NUL
    };
    using Values = std::map<QString, Value>;  // by case-folded name

    void read(const QByteArray& contents);
    void addSysInfoToolFallback();

    bool readable_ = true;
    std::map<QString, Values> keys_;  // by case-folded key path
    std::map<RegistryKey, const Values*> openKeys_;
    RegistryKey nextKey_ = 1;
};
