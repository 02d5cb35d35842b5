#include "compose/templateeditor.h"

#include "ui/twips.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int boxLefts[] = {240, 1560, 2880, 4200, 5520};
constexpr int boxWidth = 1215;
constexpr int rowHeight = 285;

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
    setWindowTitle(QStringLiteral("Custom Message Templates"));
    setFixedSize(twipsToPixels(7275), twipsToPixels(5190));
    // The controls sit at fixed designed sizes; a compact font keeps their captions whole.
    QFont compact = font();
    compact.setPointSizeF(8);
    setFont(compact);

    auto *explanation = new QLabel(
        QStringLiteral("You may use this form to create custom templates for message insertion.  Just enter the "
                       "name, and the required parameters.  Your template will then be displayed in the drop down "
                       "box on the main form.  We don't recommend changing the default templates, but if they "
                       "become outdated you may wish to update them."),
        this);
    explanation->setWordWrap(true);
    explanation->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    explanation->setGeometry(twipsRect(240, 120, 6975, 1140));

    const QString headings[] = {QStringLiteral("Name"), QStringLiteral("Link Open"), QStringLiteral("Link Middle"),
                                QStringLiteral("Link End"), QStringLiteral("Email")};
    for (int c = 0; c < 5; ++c)
        (new QLabel(headings[c], this))->setGeometry(twipsRect(boxLefts[c], 1320, boxWidth, 240));

    for (int row = 0; row < rowCount; ++row) {
        const int top = rowTop(row);
        (new QLabel(QString::number(row + 1), this))->setGeometry(twipsRect(120, top, 120, rowHeight));
        QLineEdit **columns[] = {txtName, txtLinkOpen01, txtLinkOpen02, txtLinkClose, txtMailCall};
        const QString names[] = {QStringLiteral("txtName"), QStringLiteral("txtLinkOpen01"),
                                 QStringLiteral("txtLinkOpen02"), QStringLiteral("txtLinkClose"),
                                 QStringLiteral("txtMailCall")};
        for (int c = 0; c < 5; ++c) {
            auto *box = new QLineEdit(this);
            box->setObjectName(names[c] + QLatin1Char('_') + QString::number(row));
            box->setGeometry(twipsRect(boxLefts[c], top, boxWidth, rowHeight));
            columns[c][row] = box;
        }
        cmdDel[row] = new QPushButton(QStringLiteral("del"), this);
        cmdDel[row]->setObjectName(QStringLiteral("cmdDel_") + QString::number(row));
        cmdDel[row]->setGeometry(twipsRect(6840, top, 375, rowHeight));
        connect(cmdDel[row], &QPushButton::clicked, this, [this, row] { clearRow(row); });
    }

    Command1 = new QPushButton(QStringLiteral("Save and Close"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsRect(4200, 4440, 2535, 675));
    connect(Command1, &QPushButton::clicked, this, &TemplateEditor::saveAndClose);

    Check1 = new QCheckBox(QStringLiteral("Enable changing of default templates"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setGeometry(twipsRect(240, 4800, 3615, rowHeight));
    connect(Check1, &QCheckBox::toggled, this, &TemplateEditor::setDefaultRowsUnlocked);

    // The names of the default templates stay locked whatever the check box says.
    for (int row = 0; row < TemplateSet::defaultSlotCount; ++row)
        txtName[row]->setEnabled(false);
    setDefaultRowsUnlocked(false);
    fillTemplateRows();
}

void TemplateEditor::fillTemplateRows()
{
    for (int row = 0; row < rowCount; ++row) {
        const LinkTemplate &slot = m_templates.entries[row];
        txtName[row]->setText(slot.name);
        txtLinkOpen01[row]->setText(slot.linkOpen01);
        txtLinkOpen02[row]->setText(slot.linkOpen02);
        txtLinkClose[row]->setText(slot.linkClose01);
        txtMailCall[row]->setText(slot.mailCall01);
    }
}

void TemplateEditor::storeTemplateRows()
{
    for (int row = 0; row < rowCount; ++row) {
        m_templates.entries[row] = {txtName[row]->text(), txtLinkOpen01[row]->text(), txtLinkOpen02[row]->text(),
                                    txtLinkClose[row]->text(), txtMailCall[row]->text()};
    }
}

void TemplateEditor::clearRow(int row)
{
    for (QLineEdit *box : {txtName[row], txtLinkOpen01[row], txtLinkOpen02[row], txtLinkClose[row], txtMailCall[row]})
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
        for (QWidget *control : {static_cast<QWidget *>(txtLinkOpen01[row]), static_cast<QWidget *>(txtLinkOpen02[row]),
                                 static_cast<QWidget *>(txtLinkClose[row]), static_cast<QWidget *>(txtMailCall[row]),
                                 static_cast<QWidget *>(cmdDel[row])})
            control->setEnabled(unlocked);
    }
}
