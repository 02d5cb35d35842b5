#include "compose/messageeditorpanel.h"

#include "compose/initialmessage.h"
#include "ui/designgeometry.h"
#include "ui/editortext.h"
#include "ui/widgetfactory.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

MessageEditorPanel::MessageEditorPanel(QWidget *parent)
    : QGroupBox(parent)
{
    setObjectName(QStringLiteral("Frame1"));
    setGeometry(twipsRect(DesignGeometry::frame1));
    setTitle(tr("Message Editor"));
    subjectLabel = makeLabel(this, QStringLiteral("Label1"), tr("Subject:"), twipsRect(120, 270, 735, 255));
    subjectBox = makeControl<QLineEdit>(this, QStringLiteral("txtSubject"), twipsRect(840, 240, 2100, 285));
    pasteSubjectButton = makeButton(this, QStringLiteral("cmdPaste_0"), tr("Paste"),
                                    tr("Click within the Subject field on the form you want to paste "
                                       "into, then click here."),
                                    twipsRect(3000, 240, 615, 285));
    messageLabel = makeLabel(this, QStringLiteral("Label7"), tr("Message:"), twipsRect(120, 570, 1000, 255));
    messageEditor = makeControl<QPlainTextEdit>(this, QStringLiteral("txtMessage"), twipsRect(120, 810, 3495, 2370));
    messageEditor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab moves on to the next control, as in every other box, so the keyboard never gets stuck here.
    messageEditor->setTabChangesFocus(true);
    setEditorText(messageEditor, initialMessageText());

    formatLabel = makeLabel(this, QStringLiteral("Label2"), tr("as"), twipsRect(120, 3300, 240, 255));
    formatList = makeControl<QComboBox>(this, QStringLiteral("cmbConvert"), twipsRect(360, 3240, 1035, 315));
    formatList->setEditable(false);
    formatList->setToolTip(tr("Select the format you would like to use when your message is inserted."));
    autoInsertButton = makeButton(this, QStringLiteral("cmdMessage"), tr("Auto-Insert"),
                                  tr("Once you are on the page where you can post your message, click "
                                     "here to insert it."),
                                  twipsRect(1440, 3240, 975, 315));
    pasteMessageButton = makeButton(this, QStringLiteral("cmdPaste_3"), tr("Paste Message"),
                                    tr("Click within the message area on the form you want to paste "
                                       "into, then click here."),
                                    twipsRect(2460, 3240, 1155, 315));
    optionsButton =
        makeButton(this, QStringLiteral("cmdOptions"), tr("Options"), tr("Options"), twipsRect(120, 3660, 660, 375));
    saveButton = makeButton(this, QStringLiteral("cmdSave"), tr("Save"), tr("Save the current message"),
                            twipsRect(810, 3660, 660, 375));
    loadButton = makeButton(this, QStringLiteral("cmdLoad"), tr("Load"), tr("Load a saved message"),
                            twipsRect(1500, 3660, 660, 375));
    previewButton = makeButton(this, QStringLiteral("cmdPreview"), tr("Preview"),
                               tr("See a preview of your message in the currently selected format"),
                               twipsRect(2190, 3660, 705, 375));
    copyButton =
        makeButton(this, QStringLiteral("cmdCopy"), tr("Copy"),
                   tr("Copy your message to the clipboard in the selected format"), twipsRect(2925, 3660, 690, 375));
    // The labels name their fields for a screen reader.
    subjectLabel->setBuddy(subjectBox);
    messageLabel->setBuddy(messageEditor);
    formatLabel->setBuddy(formatList);
}
