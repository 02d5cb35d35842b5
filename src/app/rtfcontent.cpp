#include "app/rtfcontent.h"

QString RtfParagraph::plainText() const
{
    QString text;
    for (const RtfRun &run : runs)
        text += run.text;
    return text;
}

QString RtfDocument::plainText() const
{
    QString text;
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        if (i > 0)
            text += QLatin1Char('\n');
        text += paragraphs.at(i).plainText();
    }
    return text;
}
