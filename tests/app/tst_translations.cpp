// Every text a window shows goes through the translation: under the pseudo-translation the build
// makes from translations/threadloom.ts, each one reads "[~...~]", while data, addresses and the
// user's own text read as they are.
#include "app/mainwindow.h"
#include "app/splashwindow.h"
#include "browser/browsercontroller.h"
#include "browser/popupwindow.h"
#include "browsertestmain.h"
#include "compose/composecontroller.h"
#include "mainwindowparts.h"
#include "recordingmessageboxes.h"
#include "testcontext.h"
#include "testenvironment.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTabBar>
#include <QTest>
#include <QTranslator>

namespace {
// What a person reads in a window: where it shows it and the text.
struct Shown
{
    QString where;
    QString text;
};

void addShown(QList<Shown> &shown, const QString &where, const QString &text)
{
    // A text with no letter (a number, an arrow) needs no translation.
    if (text.contains(QRegularExpression(QStringLiteral("\\p{L}"))))
        shown.append({where, text});
}

void addActions(QList<Shown> &shown, const QString &where, const QList<QAction *> &actions)
{
    for (QAction *action : actions) {
        const QString name = where + QLatin1Char('>') + action->objectName();
        addShown(shown, name, action->text());
        addShown(shown, name + QStringLiteral(" tooltip"), action->toolTip());
        if (action->menu())
            addActions(shown, name, action->menu()->actions());
    }
}

// The texts of window and its controls, with the object name that shows each. Editable boxes and
// lists hold the user's text and data and are read apart.
QList<Shown> shownTexts(const QWidget *window)
{
    QList<Shown> shown;
    addShown(shown, window->objectName() + QStringLiteral(" title"), window->windowTitle());
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    widgets.prepend(const_cast<QWidget *>(window));
    for (QWidget *widget : widgets) {
        // Qt's own parts (a tab strip's scroll buttons) carry Qt's own texts.
        if (widget->objectName().startsWith(QLatin1String("qt_")) || qobject_cast<QTabBar *>(widget->parent()))
            continue;
        const QString name = widget->objectName();
        addShown(shown, name + QStringLiteral(" tooltip"), widget->toolTip());
        addShown(shown, name + QStringLiteral(" accessible name"), widget->accessibleName());
        addShown(shown, name + QStringLiteral(" accessible description"), widget->accessibleDescription());
        if (auto *label = qobject_cast<QLabel *>(widget))
            addShown(shown, name, label->text());
        else if (auto *button = qobject_cast<QAbstractButton *>(widget))
            addShown(shown, name, button->text());
        else if (auto *frame = qobject_cast<QGroupBox *>(widget))
            addShown(shown, name, frame->title());
        else if (auto *box = qobject_cast<QLineEdit *>(widget))
            addShown(shown, name + QStringLiteral(" placeholder"), box->placeholderText());
        else if (auto *progress = qobject_cast<QProgressBar *>(widget))
            addShown(shown, name, progress->format());
        else if (auto *tabs = qobject_cast<QTabBar *>(widget))
            for (int i = 0; i < tabs->count(); ++i)
                addShown(shown, name + QStringLiteral(" tab"), tabs->tabText(i));
        else if (auto *menus = qobject_cast<QMenuBar *>(widget))
            addActions(shown, name, menus->actions());
    }
    return shown;
}

bool marked(const QString &text)
{
    return text.startsWith(QLatin1String("[~")) && text.endsWith(QLatin1String("~]"));
}

// Closes every window at the end of a row, before the run's context goes.
struct WindowsClosed
{
    ~WindowsClosed()
    {
        const QWidgetList windows = QApplication::topLevelWidgets();
        QList<QPointer<QWidget>> left(windows.begin(), windows.end());
        for (const QPointer<QWidget> &window : left)
            delete window.data(); // one may own another: a deleted one is null here
    }
};

const QWidget *topLevel(const QString &name)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window->objectName() == name && window->isVisible())
            return window;
    }
    return nullptr;
}
} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void everyShownTextIsTranslated_data();
    void everyShownTextIsTranslated();

private:
    QTranslator m_pseudo;
};

void TestTranslations::initTestCase()
{
    isolateTestHome();
    QVERIFY(m_pseudo.load(QStringLiteral(THREADLOOM_PSEUDO_QM)));
    QVERIFY(QCoreApplication::installTranslator(&m_pseudo));
}

void TestTranslations::everyShownTextIsTranslated_data()
{
    // window: the object name of the window to read; data: where it shows data or the user's text
    // (an object name, or the window's name and " title"), which must read as it is.
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("data");
    QTest::newRow("main window") << "Form1" << QStringList();
    QTest::newRow("help") << "Form8" << QStringList();
    QTest::newRow("About") << "frmAbout" << QStringList{"Label1", "lblVersion", "lblCompany", "lblWebsite"};
    QTest::newRow("template editor") << "frmCustom" << QStringList();
    QTest::newRow("saved messages") << "Form3" << QStringList();
    QTest::newRow("website") << "frmWebsite" << QStringList{"frmWebsite title"};
    QTest::newRow("pop-up") << "popupWindow" << QStringList{"popupWindow title"};
    QTest::newRow("splash") << "frmSplash" << QStringList();
    QTest::newRow("message boxes") << "boxes" << QStringList{"no saved message title", "message preview text"};
}

void TestTranslations::everyShownTextIsTranslated()
{
    QFETCH(QString, window);
    QFETCH(QStringList, data);
    TestEnvironment env;
    TestContext run(env);
    const WindowsClosed closed;
    QList<Shown> boxes;
    QString box;
    run.boxes().onMessage = [&boxes, &box](const QString &title, const QString &text) {
        boxes.append({box + QStringLiteral(" title"), title});
        boxes.append({box + QStringLiteral(" text"), text});
    };
    auto *form = new MainWindow(run.context());
    form->load();
    form->show();
    if (window == QLatin1String("Form1")) {
        part<ComposeController>(*form).copyAction()->trigger(); // a status text
    } else if (window == QLatin1String("Form8")) {
        QVERIFY(QFile::copy(QStringLiteral(THREADLOOM_SOURCE_DIR "/resources/Help.rtf"), env.filePath("Help.rtf")));
        form->findChild<QAction *>(QStringLiteral("aboutMenu_0"))->trigger();
    } else if (window == QLatin1String("frmAbout")) {
        form->findChild<QAction *>(QStringLiteral("mnuAbout_0"))->trigger();
    } else if (window == QLatin1String("frmCustom")) {
        part<ComposeController>(*form).templatesAction()->trigger();
    } else if (window == QLatin1String("Form3")) {
        part<ComposeController>(*form).saveAction()->trigger();
        part<ComposeController>(*form).loadAction()->trigger();
    } else if (window == QLatin1String("frmWebsite")) {
        part<BrowserController>(*form).openWebsiteWindow();
    } else if (window == QLatin1String("popupWindow")) {
        (new PopupWindow(run.context().browser.profile(), [] { return true; }))->show();
    } else if (window == QLatin1String("frmSplash")) {
        (new SplashWindow(run.context().skin))->show();
    } else {
        boxes.clear(); // the start-up's
        QVERIFY(QFile::remove(env.filePath("messages.txt")));
        box = QStringLiteral("no saved message");
        part<ComposeController>(*form).loadAction()->trigger();
        box = QStringLiteral("message preview");
        part<ComposeController>(*form).previewAction()->trigger();
        QCOMPARE(boxes.size(), 4);
    }
    const QWidget *read = window == QLatin1String("boxes") ? nullptr : topLevel(window);
    QVERIFY2(read || window == QLatin1String("boxes"), qPrintable(window + QStringLiteral(" is not open")));
    const QList<Shown> shown = read ? shownTexts(read) : boxes;

    QStringList unmarked;
    for (const Shown &text : std::as_const(shown)) {
        if (marked(text.text) == data.contains(text.where))
            unmarked.append(text.where + QStringLiteral(": ") + text.text);
    }
    QVERIFY2(unmarked.isEmpty(),
             qPrintable(QStringLiteral("translated data or untranslated text:\n") + unmarked.join(QLatin1Char('\n'))));
}

THREADLOOM_BROWSER_TEST(TestTranslations)
#include "tst_translations.moc"
