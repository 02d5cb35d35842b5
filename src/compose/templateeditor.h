#pragma once

#include "compose/templateset.h"

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;

// "Custom Message Templates": one row of boxes per template slot. The rows of the default
// templates are locked until the check box is ticked, and their names can never be typed.
// "Save and Close" stores the rows into the templates and hides the window; closing it with the
// title bar discards it and its edits.
class TemplateEditor : public QWidget
{
    Q_OBJECT
public:
    explicit TemplateEditor(TemplateSet &templates, QWidget *parent = nullptr);

    void fillTemplateRows();
    void storeTemplateRows();
    void clearRow(int row);
    void saveAndClose();

    static constexpr int rowCount = TemplateSet::slotCount;
    QLineEdit *nameBoxes[rowCount] = {};
    QLineEdit *linkOpenBoxes[rowCount] = {};
    QLineEdit *linkOpenEndBoxes[rowCount] = {};
    QLineEdit *linkCloseBoxes[rowCount] = {};
    QLineEdit *mailCallBoxes[rowCount] = {};
    QPushButton *clearButtons[rowCount] = {};
    QCheckBox *lockBox = nullptr;
    QPushButton *saveAndCloseButton = nullptr;

signals:
    // The rows went into the templates; listeners refresh the format list and save.
    void templatesStored();

private:
    void setDefaultRowsUnlocked(bool unlocked);

    TemplateSet &m_templates;
};
