#pragma once

#include <QString>

class QPlainTextEdit;

// The program sees a multi-line box's text with CR LF line breaks; the widget itself holds LF.
QString editorText(const QPlainTextEdit *edit);
void setEditorText(QPlainTextEdit *edit, const QString &text);
