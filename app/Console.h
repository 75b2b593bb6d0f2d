#pragma once

// What the program takes from the terminal that started it, and how it
// writes back: one file for each system in app/platform/.

#include <QStringList>

// main()'s arguments as text, read as Qt reads them, before any application
// object exists: argv where the system passes bytes, the wide command line
// where argv would lose what its code page cannot hold.
QStringList programArguments(int argc, char** argv);

// Readies standard output and standard error for an answer: they reach the
// terminal that started the program, and take the answer's bytes as they
// are, UTF-8 with lines ended by "\n" alone, so that the same answer is the
// same file on every system.
void readyStandardStreams();
