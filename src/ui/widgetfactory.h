#pragma once

#include "ui/twips.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

// Controls are created at their designed geometry and found by their object names (tests, the
// skin and the layout rules all go by name), so every one is made the same way.
template<typename W> W *makeControl(QWidget *parent, const QString &name, const QRect &geometry)
{
    auto *widget = new W(parent);
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

inline QPushButton *makeButton(QWidget *parent, const QString &name, const QString &caption, const QString &tip,
                               const QRect &geometry)
{
    auto *button = makeControl<QPushButton>(parent, name, geometry);
    button->setText(caption);
    button->setToolTip(tip);
    return button;
}

inline QLabel *makeLabel(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry)
{
    auto *label = makeControl<QLabel>(parent, name, geometry);
    label->setText(caption);
    return label;
}

inline QToolButton *makeIconButton(QWidget *parent, const QString &name, QStyle::StandardPixmap icon,
                                   const QString &tip, const QRect &geometry)
{
    auto *button = makeControl<QToolButton>(parent, name, geometry);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolTip(tip);
    // With no caption, a screen reader announces what the tooltip says.
    button->setAccessibleName(tip);
    return button;
}
