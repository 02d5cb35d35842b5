#include "app/editortext.h"

#include "app/crlf.h"

#include <QPlainTextEdit>

QString editorText(const QPlainTextEdit *edit)
{
    return toCrLf(edit->toPlainText());
}

void setEditorText(QPlainTextEdit *edit, const QString &text)
{
    edit->setPlainText(toLf(text));
}
