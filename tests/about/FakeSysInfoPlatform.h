#pragma once

// A SysInfoPlatform that plays the registry, the file system and the program
// start from tables and writes every call into a journal, so that tests see
// which lookups ran, in which order, and what was started or shown.

#include "SysInfoPlatform.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

struct StoredValue {
    std::uint32_t type = kValueText;
    std::string bytes;
    std::optional<std::uint32_t> reportedCount;  // when the store claims another count
};

class FakeSysInfoPlatform final : public SysInfoPlatform {
public:
    std::map<std::string, std::map<std::string, StoredValue>> keys;  // by key path
    std::map<std::string, long> openFailures;                          // key path -> code
    std::set<std::string> files, rejectedPaths, programs;
    std::vector<std::string> journal;
    std::map<RegistryKey, std::string> openKeys;

    long openKey(std::uint32_t root, const std::string& keyPath, RegistryKey& key) override
    {
        char rootText[9];
        std::snprintf(rootText, sizeof rootText, "%08X", static_cast<unsigned>(root));
        journal.push_back(std::string("open ") + rootText + " " + keyPath);
        if (openFailures.contains(keyPath))
            return openFailures[keyPath];
        if (root != kHKeyLocalMachine || !keys.contains(keyPath))
            return kErrorFileNotFound;
        key = 100 + journal.size();
        openKeys.emplace(key, keyPath);
        return kErrorSuccess;
    }

    long queryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type,
                    std::span<unsigned char> buffer, std::uint32_t& byteCount) override
    {
        journal.push_back("query " + valueName);
        const auto& values = keys.at(openKeys.at(key));
        if (!values.contains(valueName))
            return kErrorFileNotFound;
        const StoredValue& value = values.at(valueName);
        type = value.type;
        byteCount = value.reportedCount.value_or(static_cast<std::uint32_t>(value.bytes.size()));
        if (value.bytes.size() > buffer.size())
            return kErrorMoreData;
        std::copy(value.bytes.begin(), value.bytes.end(), buffer.begin());
        return kErrorSuccess;
    }

    void closeKey(RegistryKey key) noexcept override
    {
        journal.push_back(openKeys.erase(key) == 1 ? "close" : "close of a key not open");
    }

    std::string findFile(const std::string& path) override
    {
        journal.push_back("file " + path);
        if (rejectedPaths.contains(path))
            throw SysInfoError("bad file name");
        return files.contains(path) ? "MSINFO32.EXE" : "";
    }

    void startProgram(const std::string& path) override
    {
        journal.push_back("start " + path);
        if (!programs.contains(path))
            throw SysInfoError("cannot start");
    }

    void showMessage(const std::string& text, const std::string& caption) override
    {
        journal.push_back("message " + text + " | " + caption);
    }
};
