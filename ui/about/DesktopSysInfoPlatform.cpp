#include "DesktopSysInfoPlatform.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QString>

namespace {

// A NUL would cut the path short on its way to the system and name another
// file or program than the one stored, so such a path is refused outright.
QString systemPath(const std::string& path)
{
    if (path.find('\0') != std::string::npos)
        throw SysInfoError("a path cannot hold a NUL character");
    return QString::fromLocal8Bit(path).replace('\\', '/');
}

}  // namespace

DesktopSysInfoPlatform::DesktopSysInfoPlatform(QWidget* messageOwner)
    : messageOwner_(messageOwner)
{
}

long DesktopSysInfoPlatform::openKey(std::uint32_t root, const std::string& keyPath, RegistryKey& key)
{
    return registry_.openKey(root, keyPath, key);
}

long DesktopSysInfoPlatform::queryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type,
                                        std::span<unsigned char> buffer, std::uint32_t& byteCount)
{
    return registry_.queryValue(key, valueName, type, buffer, byteCount);
}

void DesktopSysInfoPlatform::closeKey(RegistryKey key) noexcept
{
    registry_.closeKey(key);
}

std::string DesktopSysInfoPlatform::findFile(const std::string& path)
{
    const QFileInfo file(systemPath(path));
    if (!file.isFile() || file.isHidden())
        return {};
    return file.fileName().toLocal8Bit().toStdString();
}

void DesktopSysInfoPlatform::startProgram(const std::string& path)
{
    // Detached: the tool is a program of its own and outlives this one.
    if (!QProcess::startDetached(systemPath(path), {}))
        throw SysInfoError("cannot start " + path);
}

void DesktopSysInfoPlatform::showMessage(const std::string& text, const std::string& caption)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromLocal8Bit(caption), QString::fromLocal8Bit(text),
                    QMessageBox::Ok, messageOwner_);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}
