#pragma once

#include "compose/templateset.h"

#include <QWidget>

#include <array>

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
    static constexpr int columnCount = 7; // the boxes of a row, one per template field
    QLineEdit *nameBoxes[rowCount] = {};
    QLineEdit *linkOpenBoxes[rowCount] = {};
    QLineEdit *linkOpenEndBoxes[rowCount] = {};
    QLineEdit *linkCloseBoxes[rowCount] = {};
    QLineEdit *mailCallBoxes[rowCount] = {};
    QLineEdit *mailOpenBoxes[rowCount] = {};
    QLineEdit *mailCloseBoxes[rowCount] = {};
    QPushButton *clearButtons[rowCount] = {};
    QCheckBox *lockBox = nullptr;
    QPushButton *saveAndCloseButton = nullptr;

signals:
    // The rows went into the templates; listeners refresh the format list and save.
    void templatesStored();

private:
    void setDefaultRowsUnlocked(bool unlocked);
    // The boxes of one row, in column order.
    std::array<QLineEdit *, columnCount> rowBoxes(int row) const;

    TemplateSet &m_templates;
};
