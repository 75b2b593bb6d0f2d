#pragma once

// What the System Info button needs from the operating system, as six
// operations. The lookup (SysInfo.h) is written against this class alone, so
// the same code runs over the Windows registry, over the desktop's settings
// file (IniRegistry.h) and over the fakes of the tests.
//
// Text crosses this interface as 8-bit strings in the system's own encoding:
// the ANSI code page on Windows, UTF-8 on the desktop.

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

// Roots, result codes and type codes keep their Windows values: the Windows
// store passes them through untouched and the desktop store imitates them.
inline constexpr std::uint32_t kHKeyLocalMachine = 0x80000002;

inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;  // no such key, or no such value
inline constexpr long kErrorAccessDenied = 5;  // the store cannot be read
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorMoreData = 234;  // the value does not fit the buffer

inline constexpr std::uint32_t kValueText = 1;    // a string, normally with its NUL
inline constexpr std::uint32_t kValueNumber = 4;  // 32 bits, least significant byte first

// An opened key; it means something only to the store that opened it.
using RegistryKey = std::uintptr_t;

// A failure that ends a System Info attempt; the attempt reports it to the user.
class SysInfoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class SysInfoPlatform {
public:
    virtual ~SysInfoPlatform() = default;

    // Opens `keyPath` below `root` for reading: kErrorSuccess and `key`, or
    // another code.
    virtual long openKey(std::uint32_t root, const std::string& keyPath, RegistryKey& key) = 0;

    // Copies value `valueName` into `buffer` and sets its type code and the
    // number of bytes stored: kErrorSuccess, or another code (kErrorMoreData
    // when the value is longer than the buffer).
    virtual long queryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type,
                            std::span<unsigned char> buffer, std::uint32_t& byteCount) = 0;

    // Runs on every way out of a lookup, a thrown error included: it must not throw.
    virtual void closeKey(RegistryKey key) noexcept = 0;

    // The name of the ordinary file at `path` (neither hidden nor a folder),
    // or empty text when there is none. Throws SysInfoError for a path that
    // the file system cannot take.
    virtual std::string findFile(const std::string& path) = 0;

    // Starts the program at `path` and returns without waiting for it.
    // Throws SysInfoError when it cannot be started.
    virtual void startProgram(const std::string& path) = 0;

    // Shows `text` with a single OK button and no icon, modal for the whole
    // program, and returns once the user has closed it.
    virtual void showMessage(const std::string& text, const std::string& caption) = 0;
};
