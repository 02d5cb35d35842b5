#pragma once

#include <QString>

// The instructions the message box shows until the user has written a message of their own.
QString initialMessageText();
