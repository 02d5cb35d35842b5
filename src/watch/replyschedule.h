#pragma once

#include <QList>
#include <QString>

// The automatic reply check: off, or every so many minutes. The choice is stored as text.
namespace ReplySchedule {

// The intervals offered, in minutes.
const QList<int> &offeredMinutes();

// The stored choice as minutes; anything not offered (a hand-edited value, text, a negative
// number) is off, 0.
int minutesFromSetting(const QString &stored);

// What a desktop notification says after a check found new replies in count threads.
QString notificationText(int count);

} // namespace ReplySchedule
