#pragma once

// Walks one table of an Access file with libmdb: its columns first, then
// every row in storage order, every value as libmdb's text for it.

#include "AccessTableStream.h"

#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

// Reading cannot go on; what() is the fault in a game master's words.
class MdbFault : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct MdbTableSink {
    std::function<void(std::span<const AccessColumn>)> columns;
    // One text per column; the views last only for the call.
    std::function<void(std::span<const std::string_view>)> row;
};

// `table` is matched ignoring ASCII case. `chatter` returns what libmdb has
// printed so far, to quote in a fault. Throws MdbFault.
void readMdbTable(const std::string& file, const std::string& table, const std::function<std::string()>& chatter,
                  const MdbTableSink& sink);
