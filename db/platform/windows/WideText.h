#pragma once

// Text between the program's own encoding, UTF-8, and the UTF-16 that every
// wide Windows call takes, or between UTF-16 and another code page (the
// ANSI one, in which the C runtime opens files by narrow names).

#include <windows.h>

#include <string>
#include <string_view>
#include <system_error>

// `text`, in `codePage`, as UTF-16. Throws std::system_error when it is not
// valid text in that code page: a replacement character in a file name
// would name another file.
inline std::wstring wideText(std::string_view text, UINT codePage = CP_UTF8)
{
    if (text.empty())
        return {};
    const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(),
                                           static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (length == 0
        || MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                               wide.data(), length) != length)
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), "text conversion");
    return wide;
}

// `text` in `codePage`. Letters the code page lacks come out as its nearest
// or default character: compare the way back where that matters.
inline std::string narrowText(std::wstring_view text, UINT codePage = CP_UTF8)
{
    if (text.empty())
        return {};
    const int length = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    if (length == 0
        || WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length,
                               nullptr, nullptr) != length)
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), "text conversion");
    return narrow;
}
