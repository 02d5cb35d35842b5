#pragma once

#include <QGroupBox>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The "Message Editor" frame: subject, message, format list and the buttons that act on them.
// Its controls keep their designed object names; docs/controls.md maps them to these members.
class MessageEditorPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit MessageEditorPanel(QWidget *parent);

    QLabel *subjectLabel = nullptr;
    QLineEdit *subjectBox = nullptr;
    QPushButton *pasteSubjectButton = nullptr;
    QLabel *messageLabel = nullptr;
    QPlainTextEdit *messageEditor = nullptr;
    QLabel *formatLabel = nullptr;
    QComboBox *formatList = nullptr;
    QPushButton *autoInsertButton = nullptr;
    QPushButton *pasteMessageButton = nullptr;
    QPushButton *optionsButton = nullptr;
    QPushButton *saveButton = nullptr;
    QPushButton *loadButton = nullptr;
    QPushButton *previewButton = nullptr;
    QPushButton *copyButton = nullptr;
};
