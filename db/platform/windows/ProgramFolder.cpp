#include "ProgramFolder.h"

#include "OwnedHandle.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace {

// The name the program was started by, which may be a link's.
std::wstring moduleName()
{
    std::wstring name(MAX_PATH, L'\0');
    while (true) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        // Cut short to fit: names run up to 32767 letters.
        name.resize(name.size() * 2);
    }
}

// The name the system keeps for the file behind `name`, links resolved, in
// the form the user knows ("C:\...", "\\server\share\..."); empty when the
// system cannot say.
std::wstring finalName(const std::wstring& name)
{
    const OwnedHandle file = ownedFile(CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE
                                                       | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        return {};
    constexpr DWORD kForm = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
    std::wstring final(GetFinalPathNameByHandleW(file.get(), nullptr, 0, kForm), L'\0');
    const DWORD length = GetFinalPathNameByHandleW(file.get(), final.data(), static_cast<DWORD>(final.size()), kForm);
    if (length == 0 || length >= final.size())
        return {};
    final.resize(length);
    // The system answers in its long-path form, "\\?\C:\..." or
    // "\\?\UNC\server\share\...".
    constexpr std::wstring_view kLongPath = L"\\\\?\\";
    constexpr std::wstring_view kLongShare = L"\\\\?\\UNC\\";
    if (final.starts_with(kLongShare))
        return L"\\\\" + final.substr(kLongShare.size());
    if (final.starts_with(kLongPath))
        return final.substr(kLongPath.size());
    return final;
}

}  // namespace

std::filesystem::path programFolder()
{
    const std::wstring started = moduleName();
    if (started.empty())
        return {};
    const std::wstring resolved = finalName(started);
    return std::filesystem::path(resolved.empty() ? started : resolved).parent_path();
}
