#pragma once

// SysInfoPlatform on a running desktop: the system registry for the lookups,
// Qt for the file test, the program start and the message box.

#include "SysInfoPlatform.h"
#include "SystemRegistry.h"

class QWidget;

class DesktopSysInfoPlatform final : public SysInfoPlatform {
public:
    // Messages are centred over `messageOwner` (none: over the screen).
    explicit DesktopSysInfoPlatform(QWidget* messageOwner);

    long openKey(std::uint32_t root, const std::string& keyPath, RegistryKey& key) override;
    long queryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type,
                    std::span<unsigned char> buffer, std::uint32_t& byteCount) override;
    void closeKey(RegistryKey key) noexcept override;

    // Both take "\" as a folder separator as well as "/": the registry's
    // paths are written the Windows way.
    std::string findFile(const std::string& path) override;
    void startProgram(const std::string& path) override;

    void showMessage(const std::string& text, const std::string& caption) override;

private:
    SystemRegistry registry_;
    QWidget* messageOwner_;
};
