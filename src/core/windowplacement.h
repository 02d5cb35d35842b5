#pragma once

#include <QList>
#include <QRect>
#include <QSize>

// Where a secondary window opens. frame is the window's size with its frame; ownerFrame is the
// owner's frame, or an invalid rectangle when there is none to go by; availableAreas are the
// screens' available areas, the owner's (or the primary) screen first.
//
// The window is centred over the owner, then moved wholly onto the area that holds the owner's
// centre (the nearest one when none does). A window larger than that area is shrunk to it. With
// no owner it is centred on the first area. Returns the window's frame rectangle.
QRect placedOverOwner(QSize frame, QRect ownerFrame, const QList<QRect> &availableAreas);

// The size a main window opens with: the designed size, shrunk to fit the available area but not
// below the minimum; a minimum that does not fit either gives way to the available size. An
// empty area (no screen known) keeps the designed size.
QSize initialMainWindowSize(QSize designed, QSize minimum, QRect available);
