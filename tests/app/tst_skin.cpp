#include "app/aboutwindow.h"
#include "ui/ontop.h"
#include "ui/skin.h"
#include "ui/skinfile.h"
#include "ui/skinlabel.h"

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
#include <memory>

namespace {

SkinDefinition loadedSkin(const Skin &skin)
{
    const SkinDefinition *loaded = skin.definition();
    return loaded ? *loaded : SkinDefinition();
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
    void applyRecoloursByKind();
    void retryThroughTheSplash_data();
    void retryThroughTheSplash();
    void replaceLabelsByContainer();
    void aboutWindowSkinnedWhenEnabled();
    void startAndStopRestoreTheColours();
    void onTop_data();
    void onTop();

private:
    // Each test starts with the skin of a new run, switched off and not loaded.
    std::unique_ptr<Skin> m_skin;
};

void TestSkin::init()
{
    m_skin = std::make_unique<Skin>(false);
}

void TestSkin::cleanup()
{
    m_skin.reset();
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
    QTest::newRow("missing text colour") << QByteArray(good).replace("controlText=#405060\n", "") << false
                                         << QStringLiteral("controlText");
    QTest::newRow("short colour") << QByteArray(good).replace("#708090", "#70809") << false
                                  << QStringLiteral("pictureBackground");
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

void TestSkin::applyRecoloursByKind()
{
    m_skin->start(nullptr);
    const SkinDefinition skin = loadedSkin(*m_skin);
    QWidget window;
    auto *frame = named<QGroupBox>(&window, QStringLiteral("Frame1"));
    auto *button = named<QPushButton>(frame, QStringLiteral("cmdSave")); // inside a frame too
    auto *edit = named<QLineEdit>(&window, QStringLiteral("txtSubject"));
    auto *tool = named<QToolButton>(frame, QStringLiteral("Command3"));
    auto *memo = named<QPlainTextEdit>(&window, QStringLiteral("txtMessage"));
    auto *tree = named<QTreeWidget>(&window, QStringLiteral("tvwPosts"));
    auto *skinLabel = named<SkinLabel>(&window, QStringLiteral("SkinLabel1_0"));
    auto *list = named<QListWidget>(&window, QStringLiteral("lstPosts"));
    auto *combo = named<QComboBox>(&window, QStringLiteral("cmbConvert"));
    auto *picture = named<QLabel>(&window, QStringLiteral("Picture1"));
    picture->setPixmap(somePicture());
    auto *label = named<QLabel>(&window, QStringLiteral("Label1"));
    auto *check = named<QCheckBox>(&window, QStringLiteral("Check1"));
    auto *rich = named<QTextBrowser>(&window, QStringLiteral("rtf1"));
    const QPalette standard = QWidget().palette();

    QVERIFY(m_skin->apply(&window));

    const QColor back = rgb(skin.controlBackground);
    const QColor text = rgb(skin.controlText);
    for (QWidget *w : {static_cast<QWidget *>(button), static_cast<QWidget *>(tool)}) {
        QCOMPARE(w->palette().color(QPalette::Button), back);
        QCOMPARE(w->palette().color(QPalette::ButtonText), standard.color(QPalette::ButtonText));
    }
    for (QWidget *w : QList<QWidget *>{edit, memo, list, tree, combo}) {
        QCOMPARE(w->palette().color(QPalette::Base), back);
        QCOMPARE(w->palette().color(QPalette::Text), text);
    }
    QCOMPARE(picture->palette().color(QPalette::Window), rgb(skin.pictureBackground));
    QVERIFY(picture->autoFillBackground());
    QCOMPARE(label->palette().color(QPalette::WindowText), standard.color(QPalette::WindowText));
    // Check boxes, the rich-text box, frames and skin labels are no kind the skin recolours.
    for (QWidget *w : QList<QWidget *>{check, rich, frame, skinLabel})
        QCOMPARE(w->palette().color(QPalette::Base), standard.color(QPalette::Base));
    QCOMPARE(window.property("skinName").toString(), skin.name);
}

void TestSkin::retryThroughTheSplash_data()
{
    QTest::addColumn<bool>("splashLoadsSkin");
    QTest::newRow("the splash brings the skin") << true;
    QTest::newRow("the splash brings none: give up, no loop") << false;
}

void TestSkin::retryThroughTheSplash()
{
    QFETCH(bool, splashLoadsSkin);
    QVERIFY(!m_skin->definition());
    QWidget splash;
    auto *timer = new QTimer(&splash);
    timer->setObjectName(QStringLiteral("Timer2"));
    int loads = 0;
    m_skin->setSplashLoader([&] {
        // What the splash window's load does: start the skin, then its timer.
        ++loads;
        splash.show();
        if (splashLoadsSkin)
            m_skin->start(&splash);
        timer->start(100000);
        return &splash;
    });

    QWidget window;
    auto *button = named<QPushButton>(&window, QStringLiteral("cmdAdd"));
    const QColor before = button->palette().color(QPalette::Button);
    QCOMPARE(m_skin->apply(&window), splashLoadsSkin);
    QCOMPARE(loads, 1);
    QVERIFY(!timer->isActive()); // the splash must not go on to open another main window
    QVERIFY(splash.isHidden());
    QCOMPARE(button->palette().color(QPalette::Button),
             splashLoadsSkin ? rgb(loadedSkin(*m_skin).controlBackground) : before);

    QWidget another; // once loaded, the skin needs no further splash
    QCOMPARE(m_skin->apply(&another), splashLoadsSkin);
    QCOMPARE(loads, splashLoadsSkin ? 1 : 2);
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
    named<SkinLabel>(frameA, QStringLiteral("SkinLabel3_0"))->hide(); // second array there: unused
    auto label = [](QWidget *parent, const QString &name, const QString &text) {
        auto *l = named<QLabel>(parent, name);
        l->setText(text);
        return l;
    };
    QLabel *subject = label(frameA, QStringLiteral("Label1"), QStringLiteral("Subject:"));
    subject->setGeometry(8, 18, 49, 17);
    QFont italic = subject->font();
    italic.setItalic(true);
    subject->setFont(italic);
    label(frameA, QStringLiteral("Label2"), QStringLiteral("hidden one"))->hide();
    label(frameB, QStringLiteral("Label5"), QStringLiteral("URL:"));
    label(frameC, QStringLiteral("Label9"), QStringLiteral("alone")); // no array in its container
    label(frameA, QStringLiteral("Picture1"), QString())->setPixmap(somePicture());

    replaceLabels(&window);

    const auto *copy1 = window.findChild<SkinLabel *>(QStringLiteral("SkinLabel1_1"));
    const auto *copy2 = window.findChild<SkinLabel *>(QStringLiteral("SkinLabel1_2"));
    const auto *copy3 = window.findChild<SkinLabel *>(QStringLiteral("SkinLabel2_5"));
    QVERIFY(copy1 && copy2 && copy3);
    QCOMPARE(copy1->text(), QStringLiteral("Subject:"));
    QCOMPARE(copy1->parentWidget(), frameA);
    QCOMPARE(copy1->geometry(), subject->geometry());
    QVERIFY(copy1->font().italic());
    QVERIFY(!copy1->isHidden());
    QVERIFY(copy2->isHidden());
    QCOMPARE(copy3->text(), QStringLiteral("URL:"));
    QCOMPARE(copy3->parentWidget(), frameB);
    // Nothing else: no copy of the picture, none for frame C, none in the second array of frame A.
    QCOMPARE(window.findChildren<SkinLabel *>().size(), 4 + 3);
    QVERIFY(!subject->isHidden()); // the plain label stays
}

void TestSkin::aboutWindowSkinnedWhenEnabled()
{
    Skin skin(true);
    skin.start(nullptr);
    AboutWindow window(skin);
    // Seven labels (name, three captions, three values) get a skin copy each.
    const QList<SkinLabel *> labels = window.findChildren<SkinLabel *>();
    QCOMPARE(labels.size(), 1 + 7);
    QCOMPARE(window.property("skinName").toString(), loadedSkin(skin).name);
    QCOMPARE(window.picture->palette().color(QPalette::Window), rgb(loadedSkin(skin).pictureBackground));
}

void TestSkin::startAndStopRestoreTheColours()
{
    const QPalette before = QApplication::palette();
    QWidget splash;
    m_skin->start(&splash);
    QVERIFY(QApplication::palette() != before);
    QVERIFY(splash.property("skinName").isValid());
    m_skin->stop();
    QCOMPARE(QApplication::palette(), before);
    m_skin->stop(); // a second stop does nothing
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
    QTest::newRow("hidden, normal, on") << false << false << true;
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
