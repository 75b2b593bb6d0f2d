#pragma once

// What the Access reader asks of the system it runs on: one implementation
// for each system, in linux/ and windows/.

#include <cstddef>
#include <string>
#include <vector>

// A damaged file can send libmdb round a loop or allocating without end. The
// calculator kills a reader that overruns its time while it waits, but these
// limits hold even when nobody waits any more: past them the system ends the
// reader, or its allocations fail and it ends. Under AddressSanitizer the
// reader keeps the time limit only.
void limitOwnResources();

// The words the reader was started with after its own name, as the
// calculator sent them: on Windows in UTF-8, where main()'s argv would hold
// them in the ANSI code page and lose the letters outside it.
std::vector<std::string> readerArguments(int argc, char** argv);

// A descriptor of the reader's standard output for the table stream, kept
// apart before Chatter takes the standard one over, and passing the bytes
// as they are; negative when there is no standard output.
int keepTableOutput();

// Takes over standard output and standard error for what libmdb prints.
class Chatter {
public:
    Chatter();
    Chatter(const Chatter&) = delete;
    Chatter& operator=(const Chatter&) = delete;

    // The start of what was printed so far, at most `limit` bytes.
    std::string start(std::size_t limit) const;

private:
    int sink_ = -1;
};

// The name by which libmdb, which takes a file's name in the system's narrow
// encoding, opens the file named `utf8Path`. Throws MdbFault when there is
// none.
std::string pathForLibmdb(const std::string& utf8Path);
