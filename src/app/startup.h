#pragma once

struct AppContext;
class MainWindow;

// The main window of a run: made on context, loaded, shown. The caller owns it.
MainWindow *startMainWindow(AppContext &context);
