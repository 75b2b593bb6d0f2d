#pragma once

// The About box's System Info button: find the system-information tool
// through the registry and start it, or tell the user it is unavailable.

#include "SysInfoPlatform.h"

#include <cstddef>
#include <cstdint>
#include <string>

// The tool's own entry names the program itself.
inline constexpr const char* kSysInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* kSysInfoValue = "PATH";

// The fallback entry names only the folder that holds kSysInfoFileName.
inline constexpr const char* kSysInfoFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char* kSysInfoFolderValue = "MSINFO";
inline constexpr const char* kSysInfoFileName = "MSINFO32.EXE";

inline constexpr const char* kSysInfoUnavailable = "System Information Is Unavailable At This Time";
inline constexpr const char* kAppTitle = "Vorn_Foe";

// Longer values are not read: they count as missing.
inline constexpr std::size_t kValueBufferSize = 1024;

// Reads value `subKeyRef` of key `keyName` below `keyRoot` into `keyVal`:
//   text (type 1)     -> the text without its terminating NUL;
//   number (type 4)   -> "&h" + what `keyVal` held + the stored bytes as
//                        upper-case hex digits, most significant first
//                        ("&h000501" for the bytes 01 05 00 00: the trailing
//                        zero byte goes the way of a string's NUL); the
//                        text stays in this form, not turned into decimal:
//                        both lookups expect paths, so nothing reads it;
//   any other type    -> `keyVal` unchanged.
// Returns false, with `keyVal` emptied, when the key cannot be opened or the
// value cannot be read (longer than kValueBufferSize bytes included).
// Throws SysInfoError for a value of zero bytes.
bool GetKeyValue(SysInfoPlatform& platform, std::uint32_t keyRoot, const std::string& keyName,
                 const std::string& subKeyRef, std::string& keyVal);

// Starts the tool named by kSysInfoValue, or else kSysInfoFileName in the
// folder named by kSysInfoFolderValue. Every failure, thrown or not, ends in
// the kSysInfoUnavailable message; nothing is thrown to the caller.
void StartSysInfo(SysInfoPlatform& platform);
