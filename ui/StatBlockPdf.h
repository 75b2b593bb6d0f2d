#pragma once

#include "StatBlock.h"

#include <QString>

// The name a stat block's PDF is first offered under, "Bandit Archer -
// Superior.pdf": foe and category, with every character a file system may
// refuse in a name replaced by "_".
QString statBlockPdfName(const StatBlock& block);

// Writes the block as a one-page PDF to `file`. A file already there is
// replaced only once the new one is complete. Returns why it could not be
// written, or "" when it was.
QString writeStatBlockPdf(const StatBlock& block, const QString& file);
