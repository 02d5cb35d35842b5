#include "ui/placement.h"

#include "core/windowplacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QWidget>

namespace {

QMargins frameMargins(const QWidget *window)
{
    const QRect frame = window->frameGeometry();
    const QRect inner = window->geometry();
    return QMargins(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                    frame.bottom() - inner.bottom());
}

// A window never shown has no frame yet; until it has, assume the frame its owner wears, or at
// least a title bar.
QMargins expectedFrame(const QWidget *window, const QWidget *owner)
{
    const QMargins own = frameMargins(window);
    if (!own.isNull())
        return own;
    if (owner) {
        const QMargins owners = frameMargins(owner);
        if (!owners.isNull())
            return owners;
    }
    return QMargins(0, window->style()->pixelMetric(QStyle::PM_TitleBarHeight), 0, 0);
}

// The available areas of all screens, the given one first.
QList<QRect> availableAreas(const QScreen *first)
{
    QList<QRect> areas;
    if (first)
        areas.append(first->availableGeometry());
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (const QScreen *screen : screens) {
        if (screen != first)
            areas.append(screen->availableGeometry());
    }
    return areas;
}

} // namespace

void placeOverOwner(QWidget *window, const QWidget *owner)
{
    if (!window)
        return;
    const QWidget *ownerWindow = owner ? owner->window() : nullptr;
    const bool ownerShown = ownerWindow && ownerWindow->isVisible() && !ownerWindow->isMinimized();
    const QScreen *screen = ownerWindow ? ownerWindow->screen() : QGuiApplication::primaryScreen();

    const QMargins frame = expectedFrame(window, ownerWindow);
    const QSize size =
        window->testAttribute(Qt::WA_Resized) ? window->size() : window->sizeHint().expandedTo(window->minimumSize());
    const QRect placed = placedOverOwner(size.grownBy(frame), ownerShown ? ownerWindow->frameGeometry() : QRect(),
                                         availableAreas(screen));
    const QSize inner = placed.size().shrunkBy(frame);
    if (inner != size)
        window->resize(inner);
    window->move(placed.topLeft()); // a window's position is that of its frame
}

void fitToScreen(QWidget *window, QSize designed, QSize minimum)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() - expectedFrame(window, nullptr) : QRect();
    const QSize size = initialMainWindowSize(designed, minimum, available);
    window->setMinimumSize(minimum.boundedTo(size));
    window->resize(size);
}

void closeOnEscape(QWidget *window)
{
    auto *shortcut = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    QObject::connect(shortcut, &QShortcut::activated, window, &QWidget::close);
}
