#pragma once

#include "app/mainlayoutapply.h"

class MainWindow;

// The main window's controls that the layout rules read and move.
MainLayoutWidgets mainLayoutWidgets(MainWindow &window);
