#pragma once

// The user's folders as the window finds them through Qt, found here without
// loading Qt, so that a command-line answer starts as fast as the engine
// allows: the data folder's bestiary and the bestiary the window remembers.

#include <filesystem>
#include <optional>

// $XDG_DATA_HOME (or ~/.local/share) /vorn-foe/Vorn.mdb; empty without a home.
std::filesystem::path dataFolderBestiaryFile();

// The file last opened with File > Open Bestiary, as the window's settings
// file ($XDG_CONFIG_HOME or ~/.config, /vorn-foe/vorn-foe.ini) holds it.
// Nothing when there is none, or the file cannot be read.
std::optional<std::filesystem::path> rememberedBestiary();
