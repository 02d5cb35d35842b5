#include "app/rtfreader.h"

#include <QHash>
#include <QStringDecoder>
#include <QVarLengthArray>

#include <algorithm>

namespace {

// Deeper groups are still counted so that braces pair up, but they share the state of the
// deepest tracked group: a file of a million nested braces must not cost a million states.
constexpr int kMaxTrackedDepth = 512;
// RTF keywords are at most 32 letters; longer runs of letters are read and dropped.
constexpr int kMaxKeywordLength = 32;
constexpr int kMaxFontNameLength = 256;

enum class Destination { Text, Skip, ColorTable, FontTable };

struct GroupState
{
    RtfCharFormat chars;
    RtfParagraphFormat para;
    Destination destination = Destination::Text;
    int unicodeFallback = 1; // \ucN: characters that follow each \uN as its fallback
    bool hidden = false;     // \v: text that is stored but not shown
};

struct ColorEntry
{
    bool set = false;
    int red = 0;
    int green = 0;
    int blue = 0;
};

// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
constexpr char16_t kCp1252High[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                      0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

QChar ansiChar(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(kCp1252High[byte - 0x80]);
    return QChar(char16_t(byte));
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isSkippedDestination(const QByteArray &word)
{
    static const char *const names[] = {"falt",
                                        "stylesheet",
                                        "info",
                                        "pict",
                                        "object",
                                        "header",
                                        "headerl",
                                        "headerr",
                                        "headerf",
                                        "footer",
                                        "footerl",
                                        "footerr",
                                        "footerf",
                                        "footnote",
                                        "annotation",
                                        "listtable",
                                        "listoverridetable",
                                        "rsidtbl",
                                        "generator",
                                        "xmlnstbl",
                                        "themedata",
                                        "colorschememapping",
                                        "latentstyles",
                                        "datastore",
                                        "filetbl",
                                        "revtbl",
                                        "pn",
                                        "fldinst",
                                        "bkmkstart",
                                        "bkmkend",
                                        "txe",
                                        "xe",
                                        "tc",
                                        "userprops",
                                        "docvar",
                                        "nonshppict",
                                        "shpinst",
                                        "template",
                                        "author",
                                        "operator",
                                        "title",
                                        "subject",
                                        "keywords",
                                        "comment",
                                        "doccomm",
                                        "company",
                                        "category",
                                        "pgdsctbl",
                                        "atnid",
                                        "atnauthor",
                                        "mmathPr",
                                        "wgrffmtfilter",
                                        "fchars",
                                        "lchars",
                                        "private",
                                        "objdata",
                                        "blipuid",
                                        "sp"};
    for (const char *name : names) {
        if (word == name)
            return true;
    }
    return false;
}

class Reader
{
public:
    explicit Reader(const QByteArray &data)
        : m_data(data)
    {
        m_stack.append(GroupState());
    }

    RtfDocument run()
    {
        const qsizetype n = m_data.size();
        while (m_pos < n) {
            const char c = m_data.at(m_pos++);
            switch (c) {
            case '{': openGroup(); break;
            case '}': closeGroup(); break;
            case '\\': controlSequence(); break;
            case '\r':
            case '\n': break; // line ends in the source carry no meaning
            case '\t': character(QChar(u'\t')); break;
            default:
                if (static_cast<unsigned char>(c) >= 0x20)
                    character(ansiChar(static_cast<unsigned char>(c)));
                break;
            }
        }
        // A last paragraph without a closing \par keeps the properties it had at its text.
        if (!m_paragraph.runs.isEmpty() || !m_pendingText.isEmpty()) {
            flushRun();
            m_paragraph.format = m_formatAtText;
            m_document.paragraphs.append(m_paragraph);
        }
        return m_document;
    }

private:
    GroupState &state() { return m_stack.last(); }

    void openGroup()
    {
        m_fallbackToSkip = 0;
        if (m_stack.size() > kMaxTrackedDepth) {
            // Keep the deepest tracked state as it was, to give it back as each untracked group
            // closes.
            if (m_untrackedDepth++ == 0)
                m_stateBeforeUntracked = m_stack.last();
            return;
        }
        m_stack.append(m_stack.last());
    }

    void closeGroup()
    {
        m_fallbackToSkip = 0;
        if (m_untrackedDepth > 0) {
            // Untracked groups share one state: whatever one of them changed ends with it.
            --m_untrackedDepth;
            m_stack.last() = m_stateBeforeUntracked;
            return;
        }
        // A stray closing brace at the outermost level is ignored rather than ending the read.
        if (m_stack.size() > 1)
            m_stack.removeLast();
    }

    // Reads what follows a backslash.
    void controlSequence()
    {
        const qsizetype n = m_data.size();
        if (m_pos >= n)
            return;
        const char c = m_data.at(m_pos);
        if (isLetter(c)) {
            controlWord();
            return;
        }
        ++m_pos;
        switch (c) {
        case '\'': hexEscape(); break;
        case '\\':
        case '{':
        case '}': character(QChar(char16_t(c))); break;
        case '~': character(QChar(u'\u00A0')); break;
        case '_': character(QChar(u'\u2011')); break;
        case '-': // optional hyphen: nothing to show
            consumeFallback();
            break;
        case '*': state().destination = Destination::Skip; break;
        case '\r':
        case '\n':
            if (!consumeFallback())
                paragraphBreak();
            break;
        default: consumeFallback(); break;
        }
    }

    void hexEscape()
    {
        const qsizetype n = m_data.size();
        int value = 0;
        int digits = 0;
        while (digits < 2 && m_pos < n) {
            const int h = hexValue(m_data.at(m_pos));
            if (h < 0)
                break;
            value = value * 16 + h;
            ++digits;
            ++m_pos;
        }
        if (digits < 2)
            return; // a cut-off escape stands for nothing
        if (consumeFallback())
            return;
        character(ansiChar(static_cast<unsigned char>(value)), false);
    }

    void controlWord()
    {
        const qsizetype n = m_data.size();
        QByteArray word;
        while (m_pos < n && isLetter(m_data.at(m_pos))) {
            if (word.size() < kMaxKeywordLength)
                word.append(m_data.at(m_pos));
            ++m_pos;
        }
        bool hasParam = false;
        bool negative = false;
        long long param = 0;
        if (m_pos < n && m_data.at(m_pos) == '-' && m_pos + 1 < n && isDigit(m_data.at(m_pos + 1))) {
            negative = true;
            ++m_pos;
        }
        while (m_pos < n && isDigit(m_data.at(m_pos))) {
            hasParam = true;
            // Clamp rather than overflow: a parameter of a thousand digits is simply very large.
            if (param < 1000000000LL)
                param = param * 10 + (m_data.at(m_pos) - '0');
            ++m_pos;
        }
        if (m_pos < n && m_data.at(m_pos) == ' ')
            ++m_pos; // the delimiting blank belongs to the keyword
        if (negative)
            param = -param;
        const int value = static_cast<int>(std::clamp<long long>(param, -1000000000LL, 1000000000LL));
        applyWord(word, hasParam, value);
    }

    void applyWord(const QByteArray &w, bool hasParam, int value)
    {
        // Binary data is skipped whatever the state, or its bytes would be read as markup.
        if (w == "bin") {
            const qsizetype left = m_data.size() - m_pos;
            m_pos += std::clamp<qsizetype>(hasParam ? value : 0, 0, left);
            return;
        }
        if (w == "u") {
            unicodeChar(value);
            return;
        }
        if (consumeFallback())
            return;

        GroupState &s = state();
        if (w == "colortbl") {
            s.destination = Destination::ColorTable;
            m_colors.clear();
            m_current = ColorEntry();
            return;
        }
        if (w == "fonttbl") {
            s.destination = Destination::FontTable;
            m_document.fonts.clear();
            m_fontName.clear();
            return;
        }
        if (isSkippedDestination(w)) {
            s.destination = Destination::Skip;
            return;
        }
        if (s.destination == Destination::ColorTable) {
            const int component = std::clamp(value, 0, 255);
            if (w == "red") {
                m_current.red = component;
                m_current.set = true;
            } else if (w == "green") {
                m_current.green = component;
                m_current.set = true;
            } else if (w == "blue") {
                m_current.blue = component;
                m_current.set = true;
            }
            return;
        }
        if (s.destination == Destination::FontTable) {
            if (w == "f") {
                m_fontNumber = value;
                m_fontName.clear();
                m_fontMonospace = false;
            } else if (w == "fmodern" || (w == "fprq" && value == 1)) {
                m_fontMonospace = true;
            }
            return;
        }
        if (w == "deff") {
            m_document.defaultFont = value;
            return;
        }
        if (w == "uc") {
            s.unicodeFallback = std::clamp(value, 0, 64);
            return;
        }
        if (s.destination == Destination::Skip)
            return;

        const QChar shown = characterWords().value(w);
        if (!shown.isNull()) {
            character(shown);
            return;
        }
        if (const TextWordAction action = textWords().value(w))
            action(*this, s, WordValue{hasParam, value});
    }

    // A keyword's number as the text keywords read it.
    struct WordValue
    {
        bool hasParam = false;
        int value = 0;
        // A switch: "\b" and "\b1" turn it on, "\b0" off.
        bool on() const { return !hasParam || value != 0; }
        // A length in twips, up to 22 inches either way.
        int twips() const { return std::clamp(value, -31680, 31680); }
    };
    using TextWordAction = void (*)(Reader &, GroupState &, const WordValue &);

    // The keywords that stand for a character of the text.
    static const QHash<QByteArray, QChar> &characterWords()
    {
        static const QHash<QByteArray, QChar> words = {
            {"line", QChar(QChar::LineSeparator)},
            {"tab", QChar(u'\t')},
            {"cell", QChar(u'\t')},
            {"bullet", QChar(u'\u2022')},
            {"emdash", QChar(u'\u2014')},
            {"endash", QChar(u'\u2013')},
            {"lquote", QChar(u'\u2018')},
            {"rquote", QChar(u'\u2019')},
            {"ldblquote", QChar(u'\u201C')},
            {"rdblquote", QChar(u'\u201D')},
            {"emspace", QChar(u' ')},
            {"enspace", QChar(u' ')},
            {"qmspace", QChar(u' ')},
        };
        return words;
    }

    // The keywords that break paragraphs or change the format of the text that follows. Any
    // keyword in neither table is ignored.
    static const QHash<QByteArray, TextWordAction> &textWords()
    {
        static const QHash<QByteArray, TextWordAction> words = [] {
            QHash<QByteArray, TextWordAction> table;
            const auto add = [&table](std::initializer_list<const char *> names, TextWordAction action) {
                for (const char *name : names)
                    table.insert(QByteArray(name), action);
            };
            using Alignment = RtfParagraphFormat::Alignment;
            using Position = RtfCharFormat::Position;
            add({"par", "sect", "page", "row"}, [](Reader &r, GroupState &, const WordValue &) { r.paragraphBreak(); });
            add({"b"}, [](Reader &, GroupState &s, const WordValue &v) { s.chars.bold = v.on(); });
            add({"i"}, [](Reader &, GroupState &s, const WordValue &v) { s.chars.italic = v.on(); });
            add({"ul", "uld", "uldb", "ulw", "ulth", "uldash", "ulwave"},
                [](Reader &, GroupState &s, const WordValue &v) { s.chars.underline = v.on(); });
            add({"ulnone"}, [](Reader &, GroupState &s, const WordValue &) { s.chars.underline = false; });
            add({"strike"}, [](Reader &, GroupState &s, const WordValue &v) { s.chars.strikeOut = v.on(); });
            add({"fs"}, [](Reader &, GroupState &s, const WordValue &v) {
                s.chars.halfPoints = v.hasParam ? std::clamp(v.value, 2, 400) : 24;
            });
            add({"cf"},
                [](Reader &r, GroupState &s, const WordValue &v) { r.setColor(s.chars, v.hasParam ? v.value : 0); });
            add({"super"},
                [](Reader &, GroupState &s, const WordValue &) { s.chars.position = Position::Superscript; });
            add({"sub"}, [](Reader &, GroupState &s, const WordValue &) { s.chars.position = Position::Subscript; });
            add({"nosupersub"},
                [](Reader &, GroupState &s, const WordValue &) { s.chars.position = Position::Normal; });
            add({"plain"}, [](Reader &, GroupState &s, const WordValue &) {
                s.chars = RtfCharFormat();
                s.hidden = false;
            });
            add({"v"}, [](Reader &, GroupState &s, const WordValue &v) { s.hidden = v.on(); });
            add({"f"}, [](Reader &, GroupState &s, const WordValue &v) { s.chars.font = std::max(0, v.value); });
            add({"pard"}, [](Reader &, GroupState &s, const WordValue &) { s.para = RtfParagraphFormat(); });
            add({"ql"}, [](Reader &, GroupState &s, const WordValue &) { s.para.alignment = Alignment::Left; });
            add({"qc"}, [](Reader &, GroupState &s, const WordValue &) { s.para.alignment = Alignment::Center; });
            add({"qr"}, [](Reader &, GroupState &s, const WordValue &) { s.para.alignment = Alignment::Right; });
            add({"qj"}, [](Reader &, GroupState &s, const WordValue &) { s.para.alignment = Alignment::Justify; });
            add({"li"}, [](Reader &, GroupState &s, const WordValue &v) { s.para.leftIndent = v.twips(); });
            add({"ri"}, [](Reader &, GroupState &s, const WordValue &v) { s.para.rightIndent = v.twips(); });
            add({"fi"}, [](Reader &, GroupState &s, const WordValue &v) { s.para.firstLineIndent = v.twips(); });
            add({"sb"},
                [](Reader &, GroupState &s, const WordValue &v) { s.para.spaceBefore = std::max(0, v.twips()); });
            add({"sa"},
                [](Reader &, GroupState &s, const WordValue &v) { s.para.spaceAfter = std::max(0, v.twips()); });
            return table;
        }();
        return words;
    }

    void setColor(RtfCharFormat &f, int index)
    {
        // Entry 0 and entries left empty mean the reader's default colour.
        if (index > 0 && index < m_colors.size() && m_colors.at(index).set) {
            const ColorEntry &e = m_colors.at(index);
            f.hasColor = true;
            f.rgb = (unsigned(e.red) << 16) | (unsigned(e.green) << 8) | unsigned(e.blue);
        } else {
            f.hasColor = false;
            f.rgb = 0;
        }
    }

    void unicodeChar(int value)
    {
        // A new \u ends any fallback still pending: the two halves of a surrogate pair often
        // follow each other directly.
        m_fallbackToSkip = 0;
        // The keyword carries a signed 16-bit number; anything outside that range is damage.
        if (value < 0 && value >= -32768)
            value += 65536;
        const QChar ch = (value >= 0 && value <= 0xFFFF) ? QChar(char16_t(value)) : QChar(QChar::ReplacementCharacter);
        // Surrogate halves arrive as two keywords and pair up in the text as it is built.
        character(ch, false);
        m_fallbackToSkip = state().unicodeFallback;
    }

    // The characters after \uN that stand in for it in readers without Unicode are dropped.
    bool consumeFallback()
    {
        if (m_fallbackToSkip <= 0)
            return false;
        --m_fallbackToSkip;
        return true;
    }

    void character(QChar ch, bool mayBeFallback = true)
    {
        if (mayBeFallback && consumeFallback())
            return;
        GroupState &s = state();
        if (s.destination == Destination::ColorTable) {
            if (ch == QLatin1Char(';')) {
                m_colors.append(m_current);
                m_current = ColorEntry();
            }
            return;
        }
        if (s.destination == Destination::FontTable) {
            if (ch == QLatin1Char(';')) {
                m_document.fonts.insert(m_fontNumber, RtfFont{m_fontName.trimmed(), m_fontMonospace});
                m_fontName.clear();
            } else if (m_fontName.size() < kMaxFontNameLength) {
                m_fontName.append(ch);
            }
            return;
        }
        if (s.destination != Destination::Text || s.hidden)
            return;
        if (!m_pendingText.isEmpty() && m_pendingFormat != s.chars)
            flushRun();
        if (m_pendingText.isEmpty())
            m_pendingFormat = s.chars;
        m_pendingText.append(ch);
        m_formatAtText = s.para;
    }

    void paragraphBreak()
    {
        if (state().destination != Destination::Text)
            return;
        endParagraph();
    }

    void flushRun()
    {
        if (m_pendingText.isEmpty())
            return;
        m_paragraph.runs.append(RtfRun{m_pendingText, m_pendingFormat});
        m_pendingText.clear();
    }

    void endParagraph()
    {
        flushRun();
        m_paragraph.format = state().para;
        m_document.paragraphs.append(m_paragraph);
        m_paragraph = RtfParagraph();
    }

    const QByteArray &m_data;
    qsizetype m_pos = 0;
    QList<GroupState> m_stack;
    int m_untrackedDepth = 0;
    GroupState m_stateBeforeUntracked;
    int m_fallbackToSkip = 0;
    QList<ColorEntry> m_colors;
    ColorEntry m_current;
    int m_fontNumber = 0;
    QString m_fontName;
    bool m_fontMonospace = false;
    QString m_pendingText;
    RtfCharFormat m_pendingFormat;
    RtfParagraph m_paragraph;
    RtfParagraphFormat m_formatAtText;
    RtfDocument m_document;
};

// Where the RTF starts, after a byte-order mark and blank lines, or -1 when it is not RTF.
qsizetype rtfStart(const QByteArray &data)
{
    qsizetype i = 0;
    if (data.startsWith("\xEF\xBB\xBF"))
        i = 3;
    while (i < data.size() && (data.at(i) == ' ' || data.at(i) == '\t' || data.at(i) == '\r' || data.at(i) == '\n'))
        ++i;
    return data.mid(i, 5) == "{\\rtf" ? i : -1;
}

// Text that is not RTF is shown as it stands, one paragraph per line.
RtfDocument plainDocument(const QByteArray &data)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(data);
    if (utf8.hasError())
        text = QString::fromLatin1(data);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    RtfDocument doc;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        RtfParagraph p;
        if (!line.isEmpty())
            p.runs.append(RtfRun{line, RtfCharFormat()});
        doc.paragraphs.append(p);
    }
    if (!doc.paragraphs.isEmpty() && doc.paragraphs.last().runs.isEmpty())
        doc.paragraphs.removeLast();
    return doc;
}

} // namespace

RtfDocument readRtf(const QByteArray &data)
{
    const qsizetype start = rtfStart(data);
    if (start < 0)
        return plainDocument(data);
    if (start == 0)
        return Reader(data).run();
    const QByteArray rtf = data.mid(start);
    return Reader(rtf).run();
}
