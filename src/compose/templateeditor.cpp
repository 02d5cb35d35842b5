#include "compose/templateeditor.h"

#include "ui/accessibility.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The last two columns, the e-mail code's halves, came later and widen the window by their width.
constexpr int boxLefts[TemplateEditor::columnCount] = {240, 1560, 2880, 4200, 5520, 6840, 8160};
constexpr int boxWidth = 1215;
constexpr int rowHeight = 285;
constexpr int addedWidth = 2 * 1320;

int rowTop(int row)
{
    return 1560 + 360 * row;
}

} // namespace

TemplateEditor::TemplateEditor(TemplateSet &templates, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_templates(templates)
{
    setObjectName(QStringLiteral("frmCustom"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Custom Message Templates"));
    setFixedSize(twipsToPixels(7275 + addedWidth), twipsToPixels(5190));
    // The controls sit at fixed designed sizes; a compact font keeps their captions whole.
    QFont compact = font();
    compact.setPointSizeF(8);
    setFont(compact);

    auto *explanation =
        new QLabel(tr("You may use this form to create custom templates for message insertion.  Just enter the "
                      "name, and the required parameters.  Your template will then be displayed in the drop down "
                      "box on the main form.  We don't recommend changing the default templates, but if they "
                      "become outdated you may wish to update them."),
                   this);
    explanation->setWordWrap(true);
    explanation->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    explanation->setGeometry(twipsRect(240, 120, 6975 + addedWidth, 1140));

    const QString headings[columnCount] = {tr("Name"),  tr("Link Open"),  tr("Link Middle"), tr("Link End"),
                                           tr("Email"), tr("Email Open"), tr("Email End")};
    for (int c = 0; c < columnCount; ++c)
        (new QLabel(headings[c], this))->setGeometry(twipsRect(boxLefts[c], 1320, boxWidth, 240));

    for (int row = 0; row < rowCount; ++row) {
        const int top = rowTop(row);
        (new QLabel(QString::number(row + 1), this))->setGeometry(twipsRect(120, top, 120, rowHeight));
        QLineEdit **columns[columnCount] = {nameBoxes,     linkOpenBoxes, linkOpenEndBoxes, linkCloseBoxes,
                                            mailCallBoxes, mailOpenBoxes, mailCloseBoxes};
        const QString names[columnCount] = {QStringLiteral("txtName"),       QStringLiteral("txtLinkOpen01"),
                                            QStringLiteral("txtLinkOpen02"), QStringLiteral("txtLinkClose"),
                                            QStringLiteral("txtMailCall"),   QStringLiteral("txtMailOpen"),
                                            QStringLiteral("txtMailClose")};
        for (int c = 0; c < columnCount; ++c) {
            auto *box = new QLineEdit(this);
            box->setObjectName(names[c] + QLatin1Char('_') + QString::number(row));
            box->setGeometry(twipsRect(boxLefts[c], top, boxWidth, rowHeight));
            columns[c][row] = box;
        }
        clearButtons[row] = new QPushButton(tr("del"), this);
        clearButtons[row]->setObjectName(QStringLiteral("cmdDel_") + QString::number(row));
        clearButtons[row]->setGeometry(twipsRect(6840 + addedWidth, top, 375, rowHeight));
        connect(clearButtons[row], &QPushButton::clicked, this, [this, row] { clearRow(row); });
    }

    saveAndCloseButton = new QPushButton(tr("Save and Close"), this);
    saveAndCloseButton->setObjectName(QStringLiteral("Command1"));
    saveAndCloseButton->setGeometry(twipsRect(4200 + addedWidth, 4440, 2535, 675));
    connect(saveAndCloseButton, &QPushButton::clicked, this, &TemplateEditor::saveAndClose);

    lockBox = new QCheckBox(tr("Enable changing of default templates"), this);
    lockBox->setObjectName(QStringLiteral("Check1"));
    lockBox->setGeometry(twipsRect(240, 4800, 3615, rowHeight));
    connect(lockBox, &QCheckBox::toggled, this, &TemplateEditor::setDefaultRowsUnlocked);

    // The names of the default templates stay locked whatever the check box says.
    for (int row = 0; row < TemplateSet::defaultSlotCount; ++row)
        nameBoxes[row]->setEnabled(false);
    setDefaultRowsUnlocked(false);
    fillTemplateRows();
    applyAccessibleNames(this);
}

void TemplateEditor::fillTemplateRows()
{
    for (int row = 0; row < rowCount; ++row) {
        const LinkTemplate &slot = m_templates.entries[row];
        nameBoxes[row]->setText(slot.name);
        linkOpenBoxes[row]->setText(slot.linkOpen01);
        linkOpenEndBoxes[row]->setText(slot.linkOpen02);
        linkCloseBoxes[row]->setText(slot.linkClose01);
        mailCallBoxes[row]->setText(slot.mailCall01);
        mailOpenBoxes[row]->setText(slot.mailOpen01);
        mailCloseBoxes[row]->setText(slot.mailClose01);
    }
}

void TemplateEditor::storeTemplateRows()
{
    for (int row = 0; row < rowCount; ++row) {
        m_templates.entries[row] = {nameBoxes[row]->text(),        linkOpenBoxes[row]->text(),
                                    linkOpenEndBoxes[row]->text(), linkCloseBoxes[row]->text(),
                                    mailCallBoxes[row]->text(),    mailOpenBoxes[row]->text(),
                                    mailCloseBoxes[row]->text()};
    }
}

void TemplateEditor::clearRow(int row)
{
    for (QLineEdit *box : rowBoxes(row))
        box->clear();
}

void TemplateEditor::saveAndClose()
{
    storeTemplateRows();
    emit templatesStored();
    hide();
}

void TemplateEditor::setDefaultRowsUnlocked(bool unlocked)
{
    for (int row = 0; row < TemplateSet::defaultSlotCount; ++row) {
        for (QLineEdit *box : rowBoxes(row)) {
            if (box != nameBoxes[row])
                box->setEnabled(unlocked);
        }
        clearButtons[row]->setEnabled(unlocked);
    }
}

std::array<QLineEdit *, TemplateEditor::columnCount> TemplateEditor::rowBoxes(int row) const
{
    return {nameBoxes[row],     linkOpenBoxes[row], linkOpenEndBoxes[row], linkCloseBoxes[row],
            mailCallBoxes[row], mailOpenBoxes[row], mailCloseBoxes[row]};
}
