#pragma once

#include "StatBlock.h"

#include <QString>

#include <vector>

// The name a stat block's PDF is first offered under, "Bandit Archer -
// Superior.pdf": foe and category, with every character a file system may
// refuse in a name replaced by "_".
QString statBlockPdfName(const StatBlock& block);
// That name for one block; "Encounter.pdf" for several.
QString statBlocksPdfName(const std::vector<StatBlock>& blocks);

// Writes the blocks as a PDF to `file`: one page for one block, several to a
// page for an encounter. A file already there is replaced only once the new
// one is complete. Returns why it could not be written, or "" when it was.
QString writeStatBlocksPdf(const std::vector<StatBlock>& blocks, const QString& file);
