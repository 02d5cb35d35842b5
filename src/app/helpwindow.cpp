#include "app/helpwindow.h"

#include "app/rtfreader.h"
#include "app/rtftextdocument.h"
#include "core/datafolder.h"
#include "core/settingsstore.h"
#include "ui/accessibility.h"
#include "ui/ontop.h"
#include "ui/placement.h"
#include "ui/skin.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>

namespace {

// The data folder, beside the program, or where an install puts it (helpFilePath).
QString helpPath(const DataFolder &folder)
{
    return helpFilePath(folder.path(), QCoreApplication::applicationDirPath());
}

// The existence test ignores letter case, so "help.RTF" counts; open the file under the name it
// really has, or a file that was found would show as empty.
QString actualHelpPath(const QString &path)
{
    const QFileInfo wanted(path);
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

HelpWindow::HelpWindow(SettingsStore &settings, Skin &skin, const DataFolder &folder, QWidget *owner)
    : QWidget(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
    , m_settings(settings)
    , m_skin(skin)
    , m_folder(folder)
{
    setObjectName(QStringLiteral("Form8"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(tr("Readme/Help"));
    const QSize size(twipsToPixels(10290), twipsToPixels(7920));
    setFixedSize(size);

    helpText = new QTextBrowser(this);
    helpText->setObjectName(QStringLiteral("rtf1"));
    helpText->setGeometry(twipsRect(120, 120, 10050, 7260));
    helpText->setOpenLinks(false);

    showAtStartupBox = new QCheckBox(tr("Show at Startup"), this);
    showAtStartupBox->setObjectName(QStringLiteral("Check1"));
    showAtStartupBox->setGeometry(twipsRect(120, 7485, 3000, 315));
    showAtStartupBox->setChecked(true);
    // Every change of the box, the load's own included, is stored at once.
    connect(showAtStartupBox, &QCheckBox::toggled, this,
            [this](bool checked) { m_settings.write(Settings::showHelp, checked); });

    closeOnEscape(this);
    applyAccessibleNames(this);
}

bool HelpWindow::load()
{
    if (m_skin.active())
        m_skin.apply(this);

    const QString path = helpPath(m_folder);
    if (!fileExists(path))
        return false;

    // An unreadable document leaves the box empty; the window still opens.
    QFile file(actualHelpPath(path));
    if (file.open(QIODevice::ReadOnly)) {
        fillTextDocument(helpText->document(), readRtf(file.readAll()));
        helpText->moveCursor(QTextCursor::Start); // open at the top, not where the filling ended
    }

    setOnTop(this, true);

    showAtStartupBox->setChecked(m_settings.read(Settings::showHelp));
    return true;
}

bool helpAvailable(const DataFolder &folder)
{
    return fileExists(helpPath(folder));
}
