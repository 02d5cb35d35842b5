#pragma once

#include <QString>

// What preview, copy and auto-insert convert: the message followed by two line breaks, so an
// address at the very end of the message is ended by a line break and the post ends in a blank
// line.
QString outgoingText(const QString &message);
