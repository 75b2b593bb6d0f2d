#pragma once

class QWidget;

// Ends the application's event loop once `window` has drawn its first frame.
// The window's own paint event opens that frame; its children are drawn and
// the frame is flushed in the same pass, and the quit, queued behind it,
// runs when the pass is over.
void quitAtFirstPaint(QWidget& window);
