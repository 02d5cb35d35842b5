#include "ui/skin.h"

#include "core/branding.h"
#include "ui/shellresources.h"
#include "ui/skinlabel.h"
#include "ui/skinrecolour.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabBar>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>

#include <optional>

namespace {

QColor colour(unsigned rgb)
{
    return QColor::fromRgb(QRgb(0xFF000000u | rgb));
}

// The controls of a window: its named widgets, without those of other windows it owns and
// without the parts Qt builds inside its own widgets.
QList<QWidget *> controlsOf(QWidget *window)
{
    QList<QWidget *> controls;
    const QList<QWidget *> all = window->findChildren<QWidget *>();
    for (QWidget *w : all) {
        const QString name = w->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || w->window() != window)
            continue;
        controls.append(w);
    }
    return controls;
}

void recolour(QWidget *control, const SkinDefinition &skin)
{
    const SkinRecolour change = skinRecolourFor(controlTypeName(control));
    auto pick = [&skin](SkinRecolour::Colour c) {
        switch (c) {
        case SkinRecolour::Colour::ControlBackground: return colour(skin.controlBackground);
        case SkinRecolour::Colour::ControlText: return colour(skin.controlText);
        case SkinRecolour::Colour::PictureBackground: return colour(skin.pictureBackground);
        case SkinRecolour::Colour::Unchanged: break;
        }
        return QColor();
    };
    if (change.background == SkinRecolour::Colour::Unchanged && change.foreground == SkinRecolour::Colour::Unchanged)
        return;

    QPalette palette = control->palette();
    const QString type = controlTypeName(control);
    if (change.background != SkinRecolour::Colour::Unchanged) {
        const QColor back = pick(change.background);
        if (type == QLatin1String("CommandButton")) {
            palette.setColor(QPalette::Button, back);
        } else if (type == QLatin1String("PictureBox")) {
            palette.setColor(QPalette::Window, back);
            control->setAutoFillBackground(true);
        } else {
            // Text boxes and lists paint their field with Base; a closed drop-down list paints
            // itself as a button.
            palette.setColor(QPalette::Base, back);
            palette.setColor(QPalette::Button, back);
        }
    }
    if (change.foreground != SkinRecolour::Colour::Unchanged) {
        const QColor fore = pick(change.foreground);
        palette.setColor(QPalette::Text, fore);
        palette.setColor(QPalette::ButtonText, fore);
    }
    control->setPalette(palette);
}

} // namespace

Skin::Skin(bool enabled)
    : m_enabled(enabled)
{
}

Skin::~Skin()
{
    stop();
}

bool Skin::loadStored()
{
    initShellResources();
    QFile file(storedSkinPath());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    SkinDefinition skin;
    if (!parseSkin(file.readAll(), &skin))
        return false;
    m_skin = skin;
    return true;
}

bool Skin::skinOnce(QWidget *window) const
{
    const std::optional<SkinDefinition> &skin = m_skin;
    if (!skin)
        return false;
    for (QWidget *control : controlsOf(window))
        recolour(control, *skin);
    // The skin's own look for the window: its background in the controls' colour.
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, colour(skin->controlBackground));
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    window->setProperty("skinName", skin->name);
    return true;
}

const SkinDefinition *Skin::definition() const
{
    return m_skin ? &*m_skin : nullptr;
}

QString storedSkinPath()
{
    return QStringLiteral(":/skins/standard.skin");
}

void Skin::start(QWidget *splash)
{
    if (!definition() && !loadStored())
        return;
    apply(splash);
    if (m_started)
        return;
    m_paletteBeforeStart = QApplication::palette();
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Window, colour(m_skin->controlBackground));
    palette.setColor(QPalette::Button, colour(m_skin->controlBackground));
    QApplication::setPalette(palette);
    m_started = true;
}

void Skin::stop()
{
    if (!m_started)
        return;
    if (m_paletteBeforeStart)
        QApplication::setPalette(*m_paletteBeforeStart);
    m_paletteBeforeStart.reset();
    m_started = false;
}

bool Skin::apply(QWidget *window)
{
    if (!window)
        return false;
    if (skinOnce(window))
        return true;

    // Loading the splash window loads the skin; the shell says how to load one.
    QWidget *splash = m_splashLoader ? m_splashLoader() : nullptr;
    if (splash && splash != window) {
        // The new splash window must not go on to open a second main window.
        if (QTimer *timer = splash->findChild<QTimer *>(QStringLiteral("Timer2")))
            timer->stop();
        splash->hide();
    }
    return skinOnce(window);
}

void replaceLabels(QWidget *window)
{
    if (!window)
        return;
    static const QRegularExpression elementName(QStringLiteral("^SkinLabel([123])_(\\d+)$"));

    // The arrays in their fixed order, each with the container its first element marks and the
    // highest index in use.
    struct Array
    {
        QString name;
        QWidget *container = nullptr;
        int highest = -1;
    };
    QList<Array> arrays;
    for (int n = 1; n <= 3; ++n) {
        const QString name = QStringLiteral("SkinLabel%1").arg(n);
        const auto *first = window->findChild<SkinLabel *>(name + QStringLiteral("_0"));
        if (first && first->window() == window)
            arrays.append(Array{name, first->parentWidget(), 0});
    }
    if (arrays.isEmpty())
        return;
    const QList<SkinLabel *> existing = window->findChildren<SkinLabel *>();
    for (const SkinLabel *label : existing) {
        const QRegularExpressionMatch m = elementName.match(label->objectName());
        if (!m.hasMatch())
            continue;
        for (Array &array : arrays) {
            if (array.name == QStringLiteral("SkinLabel") + m.captured(1))
                array.highest = std::max(array.highest, m.captured(2).toInt());
        }
    }

    for (QWidget *control : controlsOf(window)) {
        if (controlTypeName(control) != QLatin1String("Label"))
            continue;
        auto *label = static_cast<QLabel *>(control);
        for (Array &array : arrays) {
            if (array.container != label->parentWidget())
                continue;
            auto *copy = new SkinLabel(array.container);
            copy->setObjectName(array.name + QLatin1Char('_') + QString::number(++array.highest));
            copy->setGeometry(label->geometry());
            copy->setFont(label->font());
            copy->setText(label->text());
            copy->setBuddy(label->buddy()); // still names its field for a screen reader
            copy->setVisible(!label->isHidden());
            break;
        }
    }
}

QString controlTypeName(const QWidget *c)
{
    if (!c)
        return QString();
    if (qobject_cast<const QPushButton *>(c) || qobject_cast<const QToolButton *>(c))
        return QStringLiteral("CommandButton");
    if (qobject_cast<const QCheckBox *>(c))
        return QStringLiteral("CheckBox");
    if (qobject_cast<const QRadioButton *>(c))
        return QStringLiteral("OptionButton");
    if (qobject_cast<const QTextBrowser *>(c))
        return QStringLiteral("RichTextBox");
    if (qobject_cast<const QLineEdit *>(c) || qobject_cast<const QPlainTextEdit *>(c) ||
        qobject_cast<const QTextEdit *>(c))
        return QStringLiteral("TextBox");
    if (qobject_cast<const QComboBox *>(c))
        return QStringLiteral("ComboBox");
    if (qobject_cast<const QListView *>(c))
        return QStringLiteral("ListBox");
    if (qobject_cast<const QAbstractItemView *>(c))
        return QStringLiteral("ListView");
    if (qobject_cast<const SkinLabel *>(c))
        return QStringLiteral("SkinLabel");
    if (const auto *label = qobject_cast<const QLabel *>(c)) {
        const bool picture = !label->pixmap().isNull();
        return picture ? QStringLiteral("PictureBox") : QStringLiteral("Label");
    }
    if (qobject_cast<const QGroupBox *>(c))
        return QStringLiteral("Frame");
    if (qobject_cast<const QTabBar *>(c))
        return QStringLiteral("TabStrip");
    if (qobject_cast<const QStatusBar *>(c))
        return QStringLiteral("StatusBar");
    return QString::fromLatin1(c->metaObject()->className());
}

void Skin::setSplashLoader(std::function<QWidget *()> loader)
{
    m_splashLoader = std::move(loader);
}
