#include "app/aboutwindow.h"
#include "core/branding.h"
#include "ui/skin.h"

#include <QLabel>
#include <QPointer>
#include <QtTest>

#include <memory>

class TestAboutWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void versionText_data();
    void versionText();
    void showsTheBrandingValues();
    void websiteClick_data();
    void websiteClick();
    void unskinnedByDefault();

private:
    Skin m_skin{false};
};

void TestAboutWindow::cleanup()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        if (qobject_cast<AboutWindow *>(w))
            delete w;
    }
}

void TestAboutWindow::versionText_data()
{
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<QString>("expected");

    QTest::newRow("2.0") << 2 << 0 << QStringLiteral("2.0");
    QTest::newRow("two digits each") << 10 << 12 << QStringLiteral("10.12");
}

void TestAboutWindow::versionText()
{
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(QString, expected);
    QCOMPARE(::versionText(major, minor), expected);
}

void TestAboutWindow::showsTheBrandingValues()
{
    AboutWindow window(m_skin);
    const Branding &brand = branding();
    QCOMPARE(window.versionLabel->text(), QStringLiteral("2.0"));
    QCOMPARE(window.windowTitle(), QStringLiteral("About ") + brand.programName);
    QCOMPARE(window.titleLabel->text(), brand.programName);
    QCOMPARE(window.companyLabel->text(), brand.companyName);
    QCOMPARE(window.websiteLabel->text(), brand.websiteAddress);
    QVERIFY(!window.picture->pixmap().isNull());
}

void TestAboutWindow::websiteClick_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("opened");

    QTest::newRow("website label") << QStringLiteral("lblWebsite") << 1;
    QTest::newRow("its caption") << QStringLiteral("Label4") << 0;
    QTest::newRow("the picture") << QStringLiteral("Picture1") << 0;
}

void TestAboutWindow::websiteClick()
{
    QFETCH(QString, target);
    QFETCH(int, opened);

    int count = 0;
    QPointer<AboutWindow> open;
    AboutWindow *window = showAboutWindow(open, m_skin, nullptr, [&count] { ++count; });
    const std::unique_ptr<AboutWindow> closer(window);
    // Opening it again shows the same window, still connected once.
    QCOMPARE(showAboutWindow(open, m_skin, nullptr, [&count] { ++count; }), window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto *label = window->findChild<QLabel *>(target);
    QVERIFY(label);
    QTest::mouseClick(label, Qt::LeftButton);
    QCOMPARE(count, opened);
}

void TestAboutWindow::unskinnedByDefault()
{
    // The program's switch, as the run's context sets it.
    Skin skin(branding().skinEnabled);
    QVERIFY(!skin.active());
    AboutWindow window(skin);
    // Only the marker element of the skin label array exists: no label was copied.
    QCOMPARE(window.findChildren<QLabel *>(QRegularExpression(QStringLiteral("^SkinLabel"))).size(), 1);
    QVERIFY(!window.property("skinName").isValid());
}

QTEST_MAIN(TestAboutWindow)
#include "tst_aboutwindow.moc"
