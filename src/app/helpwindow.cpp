#include "app/helpwindow.h"

#include "core/datafolder.h"
#include "ui/ontop.h"
#include "app/rtfreader.h"
#include "app/rtftextdocument.h"
#include "core/settingsstore.h"
#include "ui/skin.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTextBrowser>

namespace {

const QString kSection = QStringLiteral("Settings");
const QString kShowHelp = QStringLiteral("showHelp");

QPointer<Form8> &openWindow()
{
    static QPointer<Form8> window;
    return window;
}

// The data folder, beside the program, or where an install puts it (helpFilePath).
QString helpPath()
{
    return helpFilePath();
}

// The existence test ignores letter case, so "help.RTF" counts; open the file under the name it
// really has, or a file that was found would show as empty.
QString actualHelpPath()
{
    const QFileInfo wanted(helpPath());
    if (wanted.isFile())
        return wanted.filePath();
    const QStringList names = wanted.dir().entryList(QDir::Files);
    for (const QString &name : names) {
        if (name.compare(wanted.fileName(), Qt::CaseInsensitive) == 0)
            return wanted.dir().filePath(name);
    }
    return wanted.filePath();
}

} // namespace

Form8::Form8(QWidget *owner)
    : QWidget(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Form8"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Readme/Help"));
    const QSize size(twipsToPixels(10290), twipsToPixels(7920));
    setFixedSize(size);

    rtf1 = new QTextBrowser(this);
    rtf1->setObjectName(QStringLiteral("rtf1"));
    rtf1->setGeometry(twipsRect(120, 120, 10050, 7260));
    rtf1->setOpenLinks(false);

    Check1 = new QCheckBox(QStringLiteral("Show at Startup"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setGeometry(twipsRect(120, 7485, 3000, 315));
    Check1->setChecked(true);
    // Every change of the box, the load's own included, is stored at once.
    connect(Check1, &QCheckBox::toggled, this, [](bool checked) {
        writeSetting(kSection, kShowHelp, checked ? QStringLiteral("1") : QStringLiteral("0"));
    });

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(size.width() / 2, size.height() / 2));
    }
}

bool Form8::load()
{
    if (skinActive())
        applySkin(this);

    if (!fileExists(helpPath()))
        return false;

    // An unreadable document leaves the box empty; the window still opens.
    QFile file(actualHelpPath());
    if (file.open(QIODevice::ReadOnly)) {
        fillTextDocument(rtf1->document(), readRtf(file.readAll()));
        rtf1->moveCursor(QTextCursor::Start); // open at the top, not where the filling ended
    }

    setOnTop(this, true);

    // Only a stored number changes the box; text that is not a number leaves it ticked.
    bool isNumber = false;
    const int stored = readSetting(kSection, kShowHelp, QStringLiteral("1")).trimmed().toInt(&isNumber);
    if (isNumber)
        Check1->setChecked(stored != 0);
    return true;
}

bool helpAvailable()
{
    return fileExists(helpPath());
}

Form8 *showHelpWindow(QWidget *owner)
{
    QPointer<Form8> &window = openWindow();
    if (!window) {
        auto *created = new Form8(owner);
        if (!created->load()) {
            delete created;
            return nullptr;
        }
        window = created;
    }
    window->show();
    window->raise();
    return window;
}

void showHelpAtStartup(QWidget *owner)
{
    if (readSetting(kSection, kShowHelp, QStringLiteral("1")) == QLatin1String("1"))
        showHelpWindow(owner);
}

Form8 *helpWindow()
{
    return openWindow();
}

void unloadHelpWindow()
{
    if (Form8 *window = openWindow())
        delete window;
}
