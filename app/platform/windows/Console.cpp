#include "Console.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

QStringList programArguments(int, char**)
{
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    QStringList arguments;
    for (int at = 0; words && at < count; ++at)
        arguments << QString::fromWCharArray(words[at]);
    LocalFree(words);
    return arguments;
}

// The program is built as a windowed one, so that starting the calculator
// from the desktop opens no console. Started from a console, an answer is
// written to that console; into a pipe or a file, to that.
void readyStandardStreams()
{
    if (!GetStdHandle(STD_OUTPUT_HANDLE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}
