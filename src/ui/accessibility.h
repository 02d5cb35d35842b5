#pragma once

#include <QList>

class QWidget;

// Gives the controls of a window that no caption or label names (lists, text areas, page views,
// the paste buttons that all read "Paste") the name a screen reader announces. The names live in
// one table keyed by window and control object name; a control named "<name>_<index>" matches
// the entry "<name>_" and fills the row number (index + 1) into its "%1". Run once per window,
// after its controls exist.
void applyAccessibleNames(QWidget *window);

// Names the window's controls as above and, when blocks are given, lets Tab visit them in that
// order: a panel's own controls in the order they were made (its reading order), a single
// control on its own.
void applyAccessibility(QWidget *window, const QList<QWidget *> &tabBlocks);
