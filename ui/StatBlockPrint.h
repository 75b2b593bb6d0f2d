#pragma once

#include "StatBlock.h"

#include <vector>

class QPagedPaintDevice;

// Lays stat blocks out down the pages of `device`, one below the other:
// black on white whatever the desktop's colours, each block's heading in the
// window's decorative face above its table. A block is never split across
// pages: one that does not fit below the last starts a new page (one taller
// than a whole page, which no foe is, is cut at the page's foot). Returns
// false when the device refuses to be painted on or to start a page.
bool printStatBlocks(const std::vector<StatBlock>& blocks, QPagedPaintDevice& device);
