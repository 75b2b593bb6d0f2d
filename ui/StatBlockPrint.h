#pragma once

#include "StatBlock.h"

#include <QMarginsF>
#include <QString>

#include <vector>

class QPagedPaintDevice;

// The page's margins in millimetres, printed or exported alike.
inline constexpr QMarginsF kPageMarginsMm(15, 15, 15, 15);

// What a page of these blocks is called: "Bandit Archer at Superior" for
// one, "Encounter" for several.
QString statBlocksTitle(const std::vector<StatBlock>& blocks);

// Lays stat blocks out on the pages of `device`: black on white whatever the
// desktop's colours, each block's heading in the window's decorative face
// above its table. One block takes the page's width; several stand in two
// columns, down the first and then the second, so that an encounter takes
// few pages. A block is never split: one that does not fit below the last
// starts the next column or page (one taller than a whole page, which no
// foe is, is cut at the page's foot). Returns false when the device refuses
// to be painted on or to start a page.
bool printStatBlocks(const std::vector<StatBlock>& blocks, QPagedPaintDevice& device);
