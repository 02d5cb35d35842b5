#pragma once

#include <QString>

// Status texts that report an action the user just took ("MESSAGE SAVED", "Message inserted",
// ...) clear themselves after a few seconds; states ("Complete", "finished - ...") stay.
bool statusClearsItself(const QString &text);

// How long such a text stays, in milliseconds.
constexpr int actionStatusMs = 4000;
