#pragma once

#include <QList>
#include <QMap>
#include <QString>

// A rich-text document reduced to what the help window shows: paragraphs of styled runs.
// Kept free of any GUI type so that reading RTF stays testable without a display.

struct RtfCharFormat
{
    enum class Position { Normal, Superscript, Subscript };

    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int halfPoints = 24; // font size in half points, as RTF counts it
    bool hasColor = false;
    unsigned rgb = 0; // 0xRRGGBB when hasColor
    Position position = Position::Normal;
    int font = -1; // key into RtfDocument::fonts; -1 for the document's default font

    bool operator==(const RtfCharFormat &o) const
    {
        return bold == o.bold && italic == o.italic && underline == o.underline && strikeOut == o.strikeOut &&
               halfPoints == o.halfPoints && hasColor == o.hasColor && rgb == o.rgb && position == o.position &&
               font == o.font;
    }
    bool operator!=(const RtfCharFormat &o) const { return !(*this == o); }
};

struct RtfRun
{
    QString text; // "\t" for tabs, U+2028 for a line break inside the paragraph
    RtfCharFormat format;
};

struct RtfParagraphFormat
{
    enum class Alignment { Left, Center, Right, Justify };

    Alignment alignment = Alignment::Left;
    // All in twips.
    int leftIndent = 0;
    int rightIndent = 0;
    int firstLineIndent = 0; // relative to leftIndent; negative for a hanging indent
    int spaceBefore = 0;
    int spaceAfter = 0;
};

struct RtfParagraph
{
    QList<RtfRun> runs;
    RtfParagraphFormat format;

    QString plainText() const;
};

struct RtfFont
{
    QString name;
    bool monospace = false;
};

struct RtfDocument
{
    QList<RtfParagraph> paragraphs;
    QMap<int, RtfFont> fonts; // the font table, by number
    int defaultFont = -1;

    // Paragraphs joined by "\n"; handy for searching and for tests.
    QString plainText() const;
};
