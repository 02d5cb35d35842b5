#pragma once

class MainWindow;

// Lays out the main window for its current size: reads the geometry of the window and of the
// controls that follow it, runs layoutMainWindow and writes the result back (15 twips make a
// pixel). Grows a window smaller than 7000 x 5000 twips to that size. Does nothing while the
// window is minimised.
void applyMainLayout(MainWindow &window);
