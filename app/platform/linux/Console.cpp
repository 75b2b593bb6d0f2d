#include "Console.h"

QStringList programArguments(int argc, char** argv)
{
    QStringList arguments;
    for (int at = 0; at < argc; ++at)
        arguments << QString::fromLocal8Bit(argv[at]);
    return arguments;
}

void readyStandardStreams() {}
