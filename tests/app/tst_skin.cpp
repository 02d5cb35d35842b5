#include "app/aboutwindow.h"
#include "app/ontop.h"
#include "app/skin.h"
#include "app/skinfile.h"
#include "app/skinlabel.h"
#include "app/skinrecolour.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <functional>

using WidgetFactory = std::function<QWidget *(QWidget *)>;
Q_DECLARE_METATYPE(WidgetFactory)

namespace {

SkinDefinition loadedSkin()
{
    const SkinDefinition *skin = programSkin();
    return skin ? *skin : SkinDefinition();
}

QColor rgb(unsigned value)
{
    return QColor::fromRgb(QRgb(0xFF000000u | value));
}

QPixmap somePicture()
{
    QPixmap pixmap(4, 4);
    pixmap.fill(Qt::red);
    return pixmap;
}

template<typename W> W *named(QWidget *parent, const QString &name)
{
    auto *w = new W(parent);
    w->setObjectName(name);
    return w;
}

} // namespace

class TestSkin : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void parse_data();
    void parse();
    void storedSkinParses();
    void recolourTable_data();
    void recolourTable();
    void controlTypes_data();
    void controlTypes();
    void applyRecoloursByKind();
    void windowWithoutListedControlsIsOnlySkinned();
    void retryLoadsTheSkinThroughTheSplash();
    void retryGivesUpWhenTheSplashBringsNoSkin();
    void replaceLabelsByContainer();
    void aboutWindowSkinnedWhenEnabled();
    void startAndStopRestoreTheColours();
    void onTop_data();
    void onTop();
};

void TestSkin::init()
{
    unloadSkinForTesting();
    setSkinSplashLoaderForTesting({});
    setSkinEnabledForTesting(false);
}

void TestSkin::cleanup()
{
    init();
}

void TestSkin::parse_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("errorMentions");

    const QByteArray good = "name=Blue\ncontrolBackground=#102030\ncontrolText=#405060\npictureBackground=#708090\n";
    QTest::newRow("complete") << good << true << QString();
    QTest::newRow("crlf, comments, blanks and unknown keys")
        << QByteArray("# a skin\r\n\r\n controlBackground = #102030 \r\nshade=dark\r\ncontrolText=#405060\r\n"
                      "pictureBackground=#708090")
        << true << QString();
    QTest::newRow("no name is fine") << QByteArray(good).replace("name=Blue\n", "") << true << QString();
    QTest::newRow("missing text colour") << QByteArray(good).replace("controlText=#405060\n", "") << false
                                         << QStringLiteral("controlText");
    QTest::newRow("short colour") << QByteArray(good).replace("#708090", "#70809") << false
                                  << QStringLiteral("pictureBackground");
    QTest::newRow("colour by name") << QByteArray(good).replace("#102030", "red") << false
                                    << QStringLiteral("controlBackground");
    QTest::newRow("not hexadecimal") << QByteArray(good).replace("#405060", "#40506G") << false
                                     << QStringLiteral("controlText");
    QTest::newRow("empty file") << QByteArray() << false << QStringLiteral("controlBackground");
}

void TestSkin::parse()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, ok);
    QFETCH(QString, errorMentions);

    SkinDefinition skin;
    QString error;
    QCOMPARE(parseSkin(text, &skin, &error), ok);
    if (ok) {
        QCOMPARE(skin.controlBackground, 0x102030u);
        QCOMPARE(skin.controlText, 0x405060u);
        QCOMPARE(skin.pictureBackground, 0x708090u);
    } else {
        QVERIFY2(error.contains(errorMentions), qPrintable(error));
    }
}

void TestSkin::storedSkinParses()
{
    startSkin(nullptr);
    QVERIFY(programSkin());
    QCOMPARE(programSkin()->name, QStringLiteral("Standard Skin"));
}

void TestSkin::recolourTable_data()
{
    using C = SkinRecolour::Colour;
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("background");
    QTest::addColumn<int>("foreground");

    QTest::newRow("CommandButton") << QStringLiteral("CommandButton") << int(C::ControlBackground) << int(C::Unchanged);
    for (const char *name : {"TextBox", "ComboBox", "FileListBox", "DirListBox", "DriveListBox", "ListBox", "ListView"})
        QTest::newRow(name) << QString::fromLatin1(name) << int(C::ControlBackground) << int(C::ControlText);
    QTest::newRow("PictureBox") << QStringLiteral("PictureBox") << int(C::PictureBackground) << int(C::Unchanged);
    for (const char *name : {"Label", "CheckBox", "Frame", "RichTextBox", "SkinLabel", "textbox", ""})
        QTest::newRow(name) << QString::fromLatin1(name) << int(C::Unchanged) << int(C::Unchanged);
}

void TestSkin::recolourTable()
{
    QFETCH(QString, type);
    QFETCH(int, background);
    QFETCH(int, foreground);
    const SkinRecolour change = skinRecolourFor(type);
    QCOMPARE(int(change.background), background);
    QCOMPARE(int(change.foreground), foreground);
}

void TestSkin::controlTypes_data()
{
    QTest::addColumn<WidgetFactory>("make");
    QTest::addColumn<QString>("type");

    QTest::newRow("push button") << WidgetFactory([](QWidget *p) { return new QPushButton(p); })
                                 << QStringLiteral("CommandButton");
    QTest::newRow("tool button") << WidgetFactory([](QWidget *p) { return new QToolButton(p); })
                                 << QStringLiteral("CommandButton");
    QTest::newRow("check box") << WidgetFactory([](QWidget *p) { return new QCheckBox(p); })
                               << QStringLiteral("CheckBox");
    QTest::newRow("line edit") << WidgetFactory([](QWidget *p) { return new QLineEdit(p); })
                               << QStringLiteral("TextBox");
    QTest::newRow("multi-line edit") << WidgetFactory([](QWidget *p) { return new QPlainTextEdit(p); })
                                     << QStringLiteral("TextBox");
    // The help text box is a rich-text box: it must keep its own colours.
    QTest::newRow("rich-text box") << WidgetFactory([](QWidget *p) { return new QTextBrowser(p); })
                                   << QStringLiteral("RichTextBox");
    QTest::newRow("drop-down list") << WidgetFactory([](QWidget *p) { return new QComboBox(p); })
                                    << QStringLiteral("ComboBox");
    QTest::newRow("list box") << WidgetFactory([](QWidget *p) { return new QListWidget(p); })
                              << QStringLiteral("ListBox");
    QTest::newRow("tree") << WidgetFactory([](QWidget *p) { return new QTreeWidget(p); }) << QStringLiteral("ListView");
    QTest::newRow("label") << WidgetFactory([](QWidget *p) { return new QLabel(QStringLiteral("x"), p); })
                           << QStringLiteral("Label");
    QTest::newRow("picture") << WidgetFactory([](QWidget *p) {
        auto *l = new QLabel(p);
        l->setPixmap(somePicture());
        return l;
    }) << QStringLiteral("PictureBox");
    QTest::newRow("skin label") << WidgetFactory([](QWidget *p) { return new SkinLabel(p); })
                                << QStringLiteral("SkinLabel");
    QTest::newRow("frame") << WidgetFactory([](QWidget *p) { return new QGroupBox(p); }) << QStringLiteral("Frame");
}

void TestSkin::controlTypes()
{
    QFETCH(WidgetFactory, make);
    QFETCH(QString, type);
    QWidget window;
    QCOMPARE(controlTypeName(make(&window)), type);
}

void TestSkin::applyRecoloursByKind()
{
    startSkin(nullptr);
    const SkinDefinition skin = loadedSkin();
    QWidget window;
    auto *frame = named<QGroupBox>(&window, QStringLiteral("Frame1"));
    auto *button = named<QPushButton>(frame, QStringLiteral("cmdSave")); // inside a frame too
    auto *edit = named<QLineEdit>(&window, QStringLiteral("txtSubject"));
    auto *list = named<QListWidget>(&window, QStringLiteral("lstPosts"));
    auto *combo = named<QComboBox>(&window, QStringLiteral("cmbConvert"));
    auto *picture = named<QLabel>(&window, QStringLiteral("Picture1"));
    picture->setPixmap(somePicture());
    auto *label = named<QLabel>(&window, QStringLiteral("Label1"));
    auto *check = named<QCheckBox>(&window, QStringLiteral("Check1"));
    auto *rich = named<QTextBrowser>(&window, QStringLiteral("rtf1"));
    const QPalette standard = QWidget().palette();

    QVERIFY(applySkin(&window));

    const QColor back = rgb(skin.controlBackground);
    const QColor text = rgb(skin.controlText);
    QCOMPARE(button->palette().color(QPalette::Button), back);
    QCOMPARE(button->palette().color(QPalette::ButtonText), standard.color(QPalette::ButtonText));
    for (QWidget *w : {static_cast<QWidget *>(edit), static_cast<QWidget *>(list), static_cast<QWidget *>(combo)}) {
        QCOMPARE(w->palette().color(QPalette::Base), back);
        QCOMPARE(w->palette().color(QPalette::Text), text);
    }
    QCOMPARE(picture->palette().color(QPalette::Window), rgb(skin.pictureBackground));
    QVERIFY(picture->autoFillBackground());
    QCOMPARE(label->palette().color(QPalette::WindowText), standard.color(QPalette::WindowText));
    QCOMPARE(check->palette().color(QPalette::Base), standard.color(QPalette::Base));
    QCOMPARE(rich->palette().color(QPalette::Base), standard.color(QPalette::Base));
    QCOMPARE(frame->palette().color(QPalette::Base), standard.color(QPalette::Base));
    QCOMPARE(window.property("skinName").toString(), skin.name);
}

void TestSkin::windowWithoutListedControlsIsOnlySkinned()
{
    startSkin(nullptr);
    QWidget window;
    auto *label = named<QLabel>(&window, QStringLiteral("Label1"));
    auto *check = named<QCheckBox>(&window, QStringLiteral("Check1"));
    const QPalette labelBefore = label->palette();
    const QPalette checkBefore = check->palette();
    QVERIFY(applySkin(&window));
    QVERIFY(window.property("skinName").isValid());
    QCOMPARE(label->palette(), labelBefore);
    QCOMPARE(check->palette(), checkBefore);
}

void TestSkin::retryLoadsTheSkinThroughTheSplash()
{
    QVERIFY(!programSkin());
    QWidget splash;
    auto *timer = named<QTimer>(nullptr, QStringLiteral("Timer2"));
    timer->setParent(&splash);
    int loads = 0;
    setSkinSplashLoaderForTesting([&] {
        // What the splash window's load does: start the skin, then its timer.
        ++loads;
        splash.show();
        startSkin(&splash);
        timer->start(100000);
        return &splash;
    });

    QWidget window;
    auto *button = named<QPushButton>(&window, QStringLiteral("cmdAdd"));
    QVERIFY(applySkin(&window));
    QCOMPARE(loads, 1);
    QVERIFY(!timer->isActive()); // the splash must not go on to open another main window
    QVERIFY(splash.isHidden());
    QCOMPARE(button->palette().color(QPalette::Button), rgb(loadedSkin().controlBackground));

    QWidget another; // with the skin loaded no further splash is needed
    QVERIFY(applySkin(&another));
    QCOMPARE(loads, 1);
}

void TestSkin::retryGivesUpWhenTheSplashBringsNoSkin()
{
    int loads = 0;
    setSkinSplashLoaderForTesting([&loads]() -> QWidget * {
        ++loads;
        return nullptr;
    });
    QWidget window;
    auto *button = named<QPushButton>(&window, QStringLiteral("cmdAdd"));
    const QPalette before = button->palette();
    QVERIFY(!applySkin(&window));
    QCOMPARE(loads, 1); // tried once more, no loop
    QCOMPARE(button->palette(), before);
    QVERIFY(!window.property("skinName").isValid());
}

void TestSkin::replaceLabelsByContainer()
{
    QWidget window;
    auto *frameA = named<QGroupBox>(&window, QStringLiteral("FrameA"));
    auto *frameB = named<QGroupBox>(&window, QStringLiteral("FrameB"));
    auto *frameC = named<QGroupBox>(&window, QStringLiteral("FrameC"));
    named<SkinLabel>(frameA, QStringLiteral("SkinLabel1_0"))->hide();
    named<SkinLabel>(frameB, QStringLiteral("SkinLabel2_0"))->hide();
    named<SkinLabel>(frameB, QStringLiteral("SkinLabel2_4"))->hide(); // an element added before
    // A second array on the same container never receives labels: the first one wins.
    named<SkinLabel>(frameA, QStringLiteral("SkinLabel3_0"))->hide();

    auto *a1 = named<QLabel>(frameA, QStringLiteral("Label1"));
    a1->setText(QStringLiteral("Subject:"));
    a1->setGeometry(8, 18, 49, 17);
    QFont font = a1->font();
    font.setItalic(true);
    a1->setFont(font);
    auto *a2 = named<QLabel>(frameA, QStringLiteral("Label2"));
    a2->setText(QStringLiteral("hidden one"));
    a2->hide();
    auto *b1 = named<QLabel>(frameB, QStringLiteral("Label5"));
    b1->setText(QStringLiteral("URL:"));
    auto *c1 = named<QLabel>(frameC, QStringLiteral("Label9"));
    c1->setText(QStringLiteral("alone"));
    auto *picture = named<QLabel>(frameA, QStringLiteral("Picture1"));
    picture->setPixmap(somePicture());

    replaceLabels(&window);

    auto *copyA1 = window.findChild<SkinLabel *>(QStringLiteral("SkinLabel1_1"));
    auto *copyA2 = window.findChild<SkinLabel *>(QStringLiteral("SkinLabel1_2"));
    auto *copyB1 = window.findChild<SkinLabel *>(QStringLiteral("SkinLabel2_5"));
    QVERIFY(copyA1 && copyA2 && copyB1);
    const QSet<QString> copied = {copyA1->text(), copyA2->text()};
    QCOMPARE(copied, (QSet<QString>{QStringLiteral("Subject:"), QStringLiteral("hidden one")}));
    SkinLabel *subject = copyA1->text() == QLatin1String("Subject:") ? copyA1 : copyA2;
    SkinLabel *hidden = subject == copyA1 ? copyA2 : copyA1;
    QCOMPARE(subject->parentWidget(), frameA);
    QCOMPARE(subject->geometry(), a1->geometry());
    QVERIFY(subject->font().italic());
    QVERIFY(!subject->isHidden());
    QVERIFY(hidden->isHidden());
    QCOMPARE(copyB1->text(), QStringLiteral("URL:"));
    QCOMPARE(copyB1->parentWidget(), frameB);

    // Nothing else was added: no copy of the picture, none for the container without an array,
    // none in the second array of frame A.
    QCOMPARE(window.findChildren<SkinLabel *>().size(), 4 + 3);
    QVERIFY(!window.findChild<SkinLabel *>(QStringLiteral("SkinLabel3_1")));
    // The plain labels stay.
    QVERIFY(!a1->isHidden());
    QCOMPARE(c1->text(), QStringLiteral("alone"));
}

void TestSkin::aboutWindowSkinnedWhenEnabled()
{
    setSkinEnabledForTesting(true);
    startSkin(nullptr);
    frmAbout window;
    // Seven labels (name, three captions, three values) get a skin copy each.
    const QList<SkinLabel *> labels = window.findChildren<SkinLabel *>();
    QCOMPARE(labels.size(), 1 + 7);
    QCOMPARE(window.property("skinName").toString(), loadedSkin().name);
    QCOMPARE(window.Picture1->palette().color(QPalette::Window), rgb(loadedSkin().pictureBackground));
}

void TestSkin::startAndStopRestoreTheColours()
{
    const QPalette before = QApplication::palette();
    QWidget splash;
    startSkin(&splash);
    QVERIFY(QApplication::palette() != before);
    QVERIFY(splash.property("skinName").isValid());
    stopSkin();
    QCOMPARE(QApplication::palette(), before);
    stopSkin(); // a second stop does nothing
    QCOMPARE(QApplication::palette(), before);
}

void TestSkin::onTop_data()
{
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("initiallyOnTop");
    QTest::addColumn<bool>("onTop");

    QTest::newRow("visible, normal, off") << true << false << false;
    QTest::newRow("visible, normal, on") << true << false << true;
    QTest::newRow("visible, on top, off") << true << true << false;
    QTest::newRow("visible, on top, on") << true << true << true;
    QTest::newRow("hidden, normal, on") << false << false << true;
    QTest::newRow("hidden, on top, off") << false << true << false;
}

void TestSkin::onTop()
{
    QFETCH(bool, visible);
    QFETCH(bool, initiallyOnTop);
    QFETCH(bool, onTop);

    QWidget window;
    window.setWindowFlag(Qt::WindowStaysOnTopHint, initiallyOnTop);
    window.setGeometry(100, 120, 300, 200);
    if (visible) {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    const QRect geometry = window.geometry();

    setOnTop(&window, onTop);
    QCOMPARE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint), onTop);
    QCOMPARE(window.isVisible(), visible); // never hides a shown window, never shows a hidden one
    QCOMPARE(window.geometry(), geometry);
}

QTEST_MAIN(TestSkin)
#include "tst_skin.moc"
