#pragma once

class QLineEdit;

// Every box shows its whole value at every zoom step. Where a number is
// wider than its box, the box's font shrinks until it fits, the box keeping
// its place and size; it takes the sheet's font again once the number fits.
// A Move may be any text a bestiary holds, so its box keeps the sheet's font
// and shows the beginning, with the whole text in its tooltip where it is
// cut. Each is called again whenever the box's text or the zoom changes.
void fitNumberToBox(QLineEdit* box);
void fitMoveToBox(QLineEdit* move);
