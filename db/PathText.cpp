#include "PathText.h"

std::string pathText(const std::filesystem::path& file)
{
    const std::u8string text = file.u8string();
    return {text.begin(), text.end()};
}

std::filesystem::path textPath(std::string_view text)
{
    return std::u8string(text.begin(), text.end());
}
