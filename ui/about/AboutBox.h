#pragma once

// The About box, for the main window's Help menu.
//
// Shows the one About box, modeless and owned by no window, loading it
// afresh when it is not open, or brings the open one to the front. Closing
// the box unloads it. It neither keeps the program running once every other
// window has closed, nor closes with the main window.
void showAboutBox();
