#include "watch/replyschedule.h"

#include <QCoreApplication>

namespace ReplySchedule {

const QList<int> &offeredMinutes()
{
    static const QList<int> minutes = {15, 30, 60, 120};
    return minutes;
}

int minutesFromSetting(const QString &stored)
{
    bool ok = false;
    const int minutes = stored.trimmed().toInt(&ok);
    return ok && offeredMinutes().contains(minutes) ? minutes : 0;
}

QString notificationText(int count)
{
    return count == 1 ? QCoreApplication::translate("Watch", "1 watched thread has new replies.")
                      : QCoreApplication::translate("Watch", "%1 watched threads have new replies.").arg(count);
}

} // namespace ReplySchedule
