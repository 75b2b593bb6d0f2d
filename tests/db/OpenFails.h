#pragma once

// Files that must be refused at open, whatever their format: each is a
// DatabaseError naming the file and the fault, printed nowhere (libmdb
// chatters on stdout and stderr for some), with the file left as it was and
// nothing made beside it. The test is in OpenFoeDatabaseTest.cpp with the
// files of no format and the SQLite ones; AccessFoeDatabaseTest.cpp feeds it
// the Access ones.

#include "FoeDatabase.h"
#include "TestBestiary.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

struct BadFile {
    std::string tag;
    std::function<TestBestiary()> make;
    // Words the fault must hold. They may end with the message's closing
    // point, to say that nothing follows them.
    std::string fault;
    // What the bestiary's folder holds, before the open and after it.
    std::vector<std::string> folder = {kDatabaseFileName};
};
inline void PrintTo(const BadFile& c, std::ostream* os) { *os << c.tag; }

class OpenFails : public testing::TestWithParam<BadFile> {};

inline std::string badFileTag(const testing::TestParamInfo<BadFile>& info)
{
    return info.param.tag;
}
