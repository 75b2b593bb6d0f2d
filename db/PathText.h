#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Paths as UTF-8 text: the form that SQLite, the Access reader, the messages
// and Qt's strings share. Where the system keeps paths as bytes (Linux) the
// bytes pass unchanged; where it keeps wide characters (Windows) they are
// converted, so that a name outside the system's code page survives.
std::string pathText(const std::filesystem::path& file);
std::filesystem::path textPath(std::string_view text);
