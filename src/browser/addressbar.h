#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QToolButton;
class QWidget;

// The "URL:" row and the navigation buttons under it, as both browsers' frames show them: same
// places, captions and tips; only the object names differ between the windows.
struct AddressBar
{
    QLabel *label = nullptr;
    QLineEdit *box = nullptr;
    QToolButton *goButton = nullptr;
    QToolButton *backButton = nullptr;
    QToolButton *forwardButton = nullptr;
    QToolButton *stopButton = nullptr;
    QToolButton *refreshButton = nullptr;
};

// The object names that differ: the label's, the box's and the refresh button's.
struct AddressBarNames
{
    QString label;
    QString box;
    QString refreshButton;
};

// Builds the row in frame at its designed places, the box named for a screen reader by its label.
AddressBar makeAddressBar(QWidget *frame, const AddressBarNames &names);
