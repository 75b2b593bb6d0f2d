#include "IniRegistry.h"

#include "SysInfo.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QtEndian>

#include <algorithm>

namespace {

constexpr const char* kStoreFile = "vorn-foe/registry.ini";

QString fold(const QString& name) { return name.toCaseFolded(); }
QString fold(const std::string& name) { return fold(QString::fromStdString(name)); }

QByteArray textBytes(const QString& text) { return text.toUtf8() + '\0'; }

QByteArray numberBytes(quint32 number)
{
    QByteArray bytes(sizeof number, '\0');
    qToLittleEndian(number, bytes.data());
    return bytes;
}

QString firstSysInfoTool()
{
    for (const char* tool : kSysInfoTools) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(tool));
        if (!program.isEmpty())
            return program;
    }
    return {};
}

}  // namespace

IniRegistry::IniRegistry(const QString& file)
{
    QFile ini(file);
    if (ini.open(QIODevice::ReadOnly))
        read(ini.readAll());
    else
        readable_ = !QFileInfo::exists(file);
    addSysInfoToolFallback();
}

QString IniRegistry::defaultFile()
{
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QStringList systemFolders = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    systemFolders.removeAll(userFolder);
    for (const QString& folder : systemFolders) {
        const QString file = folder + '/' + kStoreFile;
        if (QFileInfo::exists(file))
            return file;
    }
    return (systemFolders.isEmpty() ? QStringLiteral("/etc/xdg") : systemFolders.first()) + '/' + kStoreFile;
}

void IniRegistry::read(const QByteArray& contents)
{
    static const QRegularExpression number(QStringLiteral("^dword:([0-9a-f]{1,8})$"),
                                           QRegularExpression::CaseInsensitiveOption);
    QString text = QString::fromUtf8(contents);
    if (text.startsWith(QChar::ByteOrderMark))
        text.remove(0, 1);

    Values* section = nullptr;
    for (const QString& rawLine : text.split('\n')) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
            continue;
        if (line.startsWith('[') && line.endsWith(']')) {
            section = &keys_[fold(line.mid(1, line.size() - 2).trimmed())];
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (section == nullptr || equals <= 0)
            continue;
        const QString written = line.mid(equals + 1).trimmed();
        const auto match = number.match(written);
        (*section)[fold(line.left(equals).trimmed())] =
            match.hasMatch() ? Value{kValueNumber, numberBytes(match.captured(1).toUInt(nullptr, 16))}
                             : Value{kValueText, textBytes(written)};
    }
}

void IniRegistry::addSysInfoToolFallback()
{
    const QString keyPath = fold(QString::fromLatin1(kSysInfoKey));
    const QString valueName = fold(QString::fromLatin1(kSysInfoValue));
    const auto key = keys_.find(keyPath);
    if (key != keys_.end() && key->second.contains(valueName))
        return;
    const QString program = firstSysInfoTool();
    if (!program.isEmpty())
        keys_[keyPath][valueName] = Value{kValueText, textBytes(program)};
}

long IniRegistry::openKey(std::uint32_t root, const std::string& keyPath, RegistryKey& key)
{
    if (root != kHKeyLocalMachine)
        return kErrorFileNotFound;
    if (!readable_)
        return kErrorAccessDenied;
    const auto found = keys_.find(fold(keyPath));
    if (found == keys_.end())
        return kErrorFileNotFound;
    key = nextKey_++;
    openKeys_.emplace(key, &found->second);
    return kErrorSuccess;
}

long IniRegistry::queryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type,
                             std::span<unsigned char> buffer, std::uint32_t& byteCount) const
{
    const auto opened = openKeys_.find(key);
    if (opened == openKeys_.end())
        return kErrorInvalidHandle;
    const Values& values = *opened->second;
    const auto found = values.find(fold(valueName));
    if (found == values.end())
        return kErrorFileNotFound;

    const QByteArray& bytes = found->second.bytes;
    type = found->second.type;
    byteCount = static_cast<std::uint32_t>(bytes.size());
    if (static_cast<std::size_t>(bytes.size()) > buffer.size())
        return kErrorMoreData;
    std::copy(bytes.begin(), bytes.end(), buffer.begin());
    return kErrorSuccess;
}

void IniRegistry::closeKey(RegistryKey key) noexcept
{
    openKeys_.erase(key);
}
