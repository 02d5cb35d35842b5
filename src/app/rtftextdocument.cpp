#include "app/rtftextdocument.h"

#include "ui/twips.h"

#include <QColor>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace {

Qt::Alignment alignmentOf(RtfParagraphFormat::Alignment a)
{
    switch (a) {
    case RtfParagraphFormat::Alignment::Center: return Qt::AlignHCenter;
    case RtfParagraphFormat::Alignment::Right: return Qt::AlignRight;
    case RtfParagraphFormat::Alignment::Justify: return Qt::AlignJustify;
    case RtfParagraphFormat::Alignment::Left: break;
    }
    return Qt::AlignLeft;
}

qreal pixels(int twips)
{
    return qreal(twips) / kTwipsPerPixel;
}

QTextBlockFormat blockFormat(const RtfParagraphFormat &p)
{
    QTextBlockFormat f;
    f.setAlignment(alignmentOf(p.alignment));
    f.setLeftMargin(pixels(std::max(0, p.leftIndent)));
    f.setRightMargin(pixels(std::max(0, p.rightIndent)));
    f.setTextIndent(pixels(p.firstLineIndent));
    f.setTopMargin(pixels(p.spaceBefore));
    f.setBottomMargin(pixels(p.spaceAfter));
    // A hanging indent has a tab stop where the indented lines start, so that "bullet, tab,
    // text" lines the text up with the lines below it. Qt measures tab stops from where the
    // first line starts, which is the hanging amount before the indented lines.
    if (p.firstLineIndent < 0)
        f.setTabPositions({QTextOption::Tab(pixels(-p.firstLineIndent), QTextOption::LeftTab)});
    return f;
}

QTextCharFormat charFormat(const RtfCharFormat &c, const RtfDocument &doc)
{
    QTextCharFormat f;
    const auto font = doc.fonts.constFind(c.font >= 0 ? c.font : doc.defaultFont);
    if (font != doc.fonts.constEnd()) {
        if (!font->name.isEmpty())
            f.setFontFamilies(QStringList{font->name});
        if (font->monospace) {
            // The named font may be missing here: the hint still finds a fixed-pitch one.
            f.setFontFixedPitch(true);
            f.setFontStyleHint(QFont::TypeWriter);
        }
    }
    f.setFontWeight(c.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(c.italic);
    f.setFontUnderline(c.underline);
    f.setFontStrikeOut(c.strikeOut);
    f.setFontPointSize(c.halfPoints / 2.0);
    if (c.hasColor)
        f.setForeground(QColor::fromRgb(QRgb(0xFF000000u | c.rgb)));
    switch (c.position) {
    case RtfCharFormat::Position::Superscript: f.setVerticalAlignment(QTextCharFormat::AlignSuperScript); break;
    case RtfCharFormat::Position::Subscript: f.setVerticalAlignment(QTextCharFormat::AlignSubScript); break;
    case RtfCharFormat::Position::Normal: break;
    }
    return f;
}

} // namespace

void fillTextDocument(QTextDocument *target, const RtfDocument &source)
{
    target->clear();
    QTextCursor cursor(target);
    cursor.beginEditBlock();
    bool first = true;
    for (const RtfParagraph &paragraph : source.paragraphs) {
        if (first)
            cursor.setBlockFormat(blockFormat(paragraph.format));
        else
            cursor.insertBlock(blockFormat(paragraph.format));
        first = false;
        for (const RtfRun &run : paragraph.runs)
            cursor.insertText(run.text, charFormat(run.format, source));
    }
    cursor.endEditBlock();
}
