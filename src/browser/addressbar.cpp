#include "browser/addressbar.h"

#include "ui/designgeometry.h"
#include "ui/widgetfactory.h"

#include <QCoreApplication>
#include <QLineEdit>

AddressBar makeAddressBar(QWidget *frame, const AddressBarNames &names)
{
    AddressBar bar;
    bar.label =
        makeLabel(frame, names.label, QCoreApplication::translate("Browser", "URL:"), twipsRect(120, 270, 405, 255));
    bar.box = makeControl<QLineEdit>(frame, names.box, twipsRect(DesignGeometry::text5));
    bar.goButton = makeIconButton(frame, QStringLiteral("Command3"), QStyle::SP_ArrowRight,
                                  QCoreApplication::translate("Browser", "browse the entered url"),
                                  twipsRect(DesignGeometry::command3));
    bar.backButton = makeIconButton(frame, QStringLiteral("Command4"), QStyle::SP_ArrowBack,
                                    QCoreApplication::translate("Browser", "back"), twipsRect(540, 600, 435, 435));
    bar.forwardButton =
        makeIconButton(frame, QStringLiteral("Command5"), QStyle::SP_ArrowForward,
                       QCoreApplication::translate("Browser", "forward"), twipsRect(1020, 600, 435, 435));
    bar.stopButton = makeIconButton(frame, QStringLiteral("Command6"), QStyle::SP_BrowserStop,
                                    QCoreApplication::translate("Browser", "stop"), twipsRect(1500, 600, 435, 435));
    bar.refreshButton =
        makeIconButton(frame, names.refreshButton, QStyle::SP_BrowserReload,
                       QCoreApplication::translate("Browser", "refresh"), twipsRect(1980, 600, 435, 435));
    bar.label->setBuddy(bar.box); // names the box for a screen reader
    return bar;
}
