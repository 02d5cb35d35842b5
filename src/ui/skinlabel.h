#pragma once

#include <QLabel>

// A label drawn in the skin's colours. Windows hold one per container that has labels, hidden,
// named "SkinLabel<n>_0"; skinning adds a copy over each plain label of that container.
class SkinLabel : public QLabel
{
    Q_OBJECT
public:
    explicit SkinLabel(QWidget *parent = nullptr);
};
