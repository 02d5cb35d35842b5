#include "browser/addressbar.h"

#include "ui/designgeometry.h"
#include "ui/widgetfactory.h"

#include <QLineEdit>

AddressBar makeAddressBar(QWidget *frame, const AddressBarNames &names)
{
    AddressBar bar;
    bar.label = makeLabel(frame, names.label, QStringLiteral("URL:"), twipsRect(120, 270, 405, 255));
    bar.box = makeControl<QLineEdit>(frame, names.box, twipsRect(DesignGeometry::text5));
    bar.goButton = makeIconButton(frame, QStringLiteral("Command3"), QStyle::SP_ArrowRight,
                                  QStringLiteral("browse the entered url"), twipsRect(DesignGeometry::command3));
    bar.backButton = makeIconButton(frame, QStringLiteral("Command4"), QStyle::SP_ArrowBack, QStringLiteral("back"),
                                    twipsRect(540, 600, 435, 435));
    bar.forwardButton = makeIconButton(frame, QStringLiteral("Command5"), QStyle::SP_ArrowForward,
                                       QStringLiteral("forward"), twipsRect(1020, 600, 435, 435));
    bar.stopButton = makeIconButton(frame, QStringLiteral("Command6"), QStyle::SP_BrowserStop, QStringLiteral("stop"),
                                    twipsRect(1500, 600, 435, 435));
    bar.refreshButton = makeIconButton(frame, names.refreshButton, QStyle::SP_BrowserReload, QStringLiteral("refresh"),
                                       twipsRect(1980, 600, 435, 435));
    bar.label->setBuddy(bar.box); // names the box for a screen reader
    return bar;
}
