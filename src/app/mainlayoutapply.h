#pragma once

class QWidget;

// The main window's controls that the layout rules read and move, by the role they play. The
// layout step gets these rather than the window, so it can be driven with any widgets that
// stand in for the real panels. Every pointer is set.
struct MainLayoutWidgets
{
    QWidget *window = nullptr; // its outer size, frame included, drives the rules
    QWidget *editorFrame = nullptr;
    QWidget *tabStrip = nullptr;
    QWidget *postsFrame = nullptr;
    QWidget *forumsFrame = nullptr;
    QWidget *postList = nullptr;       // in postsFrame
    QWidget *newRepliesList = nullptr; // in postsFrame
    QWidget *forumList = nullptr;      // in forumsFrame
    QWidget *browserFrame = nullptr;
    QWidget *addressBox = nullptr; // in browserFrame
    QWidget *goButton = nullptr;   // in browserFrame
    QWidget *pageView = nullptr;   // in browserFrame
    QWidget *visitButton = nullptr;
    QWidget *statusBar = nullptr;
    QWidget *statusPanels[3] = {}; // left to right
};

// Lays out the main window for its current size: reads the geometry of the window and of the
// controls that follow it, runs layoutMainWindow and writes the result back (15 twips make a
// pixel). Grows a window smaller than 7000 x 5000 twips to that size. Does nothing while the
// window is minimised.
void applyMainLayout(const MainLayoutWidgets &widgets);
