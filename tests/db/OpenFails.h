#pragma once

// Files that must be refused at open, shared by the suites of each format:
// each is a DatabaseError naming the file and the fault, printed nowhere
// (libmdb chatters on stdout and stderr for some), with the file left as it was.

#include "TestBestiary.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

struct BadFile {
    const char* tag;
    std::function<TestBestiary()> make;
    const char* fault;  // words the message must hold
};
inline void PrintTo(const BadFile& c, std::ostream* os) { *os << c.tag; }

class OpenFails : public testing::TestWithParam<BadFile> {};

inline std::string badFileTag(const testing::TestParamInfo<BadFile>& info)
{
    return info.param.tag;
}
