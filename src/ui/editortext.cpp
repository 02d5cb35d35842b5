#include "ui/editortext.h"

#include "core/crlf.h"

#include <QPlainTextEdit>

QString editorText(const QPlainTextEdit *edit)
{
    return toCrLf(edit->toPlainText());
}

void setEditorText(QPlainTextEdit *edit, const QString &text)
{
    edit->setPlainText(toLf(text));
}
