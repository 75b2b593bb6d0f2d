#pragma once

// A handle of the system's, closed when it goes.

#include <windows.h>

#include <memory>

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using OwnedHandle = std::unique_ptr<void, HandleCloser>;

// What CreateFileW returns, which says INVALID_HANDLE_VALUE, not null, when
// it fails: empty then.
inline OwnedHandle ownedFile(HANDLE handle)
{
    return OwnedHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}
