#include "core/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <optional>

namespace {
QString decodeLine(QByteArrayView bytes)
{
    // A mark at the start of a line is a character the user typed or pasted; only the file's own
    // first bytes may be a mark, and the splitter drops those before any line is decoded.
    if (!bytes.isValidUtf8())
        return QString::fromLatin1(bytes);
    if (!bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes);
    // fromUtf8 would drop the mark.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return utf8.decode(bytes);
}

// Cuts a text that arrives in blocks into lines. Eight-bit files are cut as bytes and each line
// decoded on its own (so one Latin-1 line does not spoil the UTF-8 ones); UTF-16 files are decoded
// as they arrive and cut as characters.
class LineSplitter
{
public:
    explicit LineSplitter(const std::function<void(QString &&)> &take)
        : m_take(take)
    {
    }

    // False once the text turned out to be no text: nothing more is handed on.
    bool feed(QByteArrayView block)
    {
        if (m_notText)
            return false;
        if (m_first) {
            m_first = false;
            startEncoding(block);
        }
        if (m_utf16) {
            m_utf16Bytes += block.size();
            return feedCharacters(wholeCharacters(m_utf16->decode(block)));
        }
        return feedBytes(block);
    }

    // The end of the text: its last line, when it has no line break.
    bool finish()
    {
        if (m_notText)
            return false;
        if (m_first)
            return true;
        if (m_utf16) {
            // An odd byte, or a high surrogate, at the end is half a character.
            if ((m_utf16Bytes % 2 != 0 || !m_heldSurrogate.isNull()) && !feedCharacters(QStringView(u"\uFFFD")))
                return false;
            return finishCharacters();
        }
        if (!m_pending.isEmpty())
            m_take(decodeLine(m_pending));
        m_pending.clear();
        return true;
    }

private:
    // A surrogate without its other half cannot be written as UTF-8: it is read as the
    // replacement character, so what is saved reads back the same. A high surrogate at the end of
    // a block waits for its other half in the next.
    QString wholeCharacters(QString text)
    {
        if (!m_heldSurrogate.isNull()) {
            text.prepend(m_heldSurrogate);
            m_heldSurrogate = QChar();
        }
        if (!text.isEmpty() && text.back().isHighSurrogate()) {
            m_heldSurrogate = text.back();
            text.chop(1);
        }
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                ++i;
            else if (text[i].isSurrogate())
                text[i] = QChar::ReplacementCharacter;
        }
        return text;
    }

    // Takes the byte-order mark off the first block.
    void startEncoding(QByteArrayView &block)
    {
        // Two bytes tell the byte order; a block shorter than that (a one-byte file) is eight-bit.
        if (block.startsWith("\xFF\xFE") || block.startsWith("\xFE\xFF")) {
            m_utf16.emplace(block.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                            QStringDecoder::Flag::ConvertInitialBom);
            block = block.sliced(2);
        } else if (block.startsWith("\xEF\xBB\xBF")) {
            block = block.sliced(3);
        }
    }

    bool feedBytes(QByteArrayView block)
    {
        if (block.contains('\0')) {
            m_notText = true;
            return false;
        }
        qsizetype start = 0;
        if (m_skipLf && !block.isEmpty() && block.front() == '\n')
            start = 1;
        m_skipLf = false;
        for (qsizetype i = start; i < block.size(); ++i) {
            const char c = block[i];
            if (c != '\r' && c != '\n')
                continue;
            if (m_pending.isEmpty()) {
                m_take(decodeLine(block.sliced(start, i - start)));
            } else {
                m_pending.append(block.sliced(start, i - start));
                m_take(decodeLine(m_pending));
                m_pending.clear();
            }
            if (c == '\r') {
                if (i + 1 < block.size()) {
                    if (block[i + 1] == '\n')
                        ++i;
                } else {
                    m_skipLf = true; // the LF of this CR may open the next block
                }
            }
            start = i + 1;
        }
        m_pending.append(block.sliced(start));
        return true;
    }

    bool feedCharacters(QStringView text)
    {
        if (text.contains(QChar(0))) {
            m_notText = true;
            return false;
        }
        qsizetype start = 0;
        if (m_skipLf && !text.isEmpty() && text.front() == u'\n')
            start = 1;
        m_skipLf = false;
        for (qsizetype i = start; i < text.size(); ++i) {
            const QChar c = text[i];
            if (c != u'\r' && c != u'\n')
                continue;
            m_pendingText += text.sliced(start, i - start);
            m_take(std::move(m_pendingText));
            m_pendingText = QString();
            if (c == u'\r') {
                if (i + 1 < text.size()) {
                    if (text[i + 1] == u'\n')
                        ++i;
                } else {
                    m_skipLf = true;
                }
            }
            start = i + 1;
        }
        m_pendingText += text.sliced(start);
        return true;
    }

    bool finishCharacters()
    {
        if (!m_pendingText.isEmpty())
            m_take(std::move(m_pendingText));
        m_pendingText.clear();
        return true;
    }

    const std::function<void(QString &&)> &m_take;
    bool m_first = true;
    bool m_notText = false;
    bool m_skipLf = false;
    qint64 m_utf16Bytes = 0;
    QChar m_heldSurrogate;
    std::optional<QStringDecoder> m_utf16;
    QByteArray m_pending;
    QString m_pendingText;
};

QString notTextError(const QString &path)
{
    return QCoreApplication::translate("Core", "Could not read %1: it is not a text file.")
        .arg(QDir::toNativeSeparators(path));
}
} // namespace

QStringList splitTextLines(const QByteArray &bytes)
{
    QStringList lines;
    const std::function<void(QString &&)> take = [&lines](QString &&line) { lines.append(std::move(line)); };
    LineSplitter splitter(take);
    if (!splitter.feed(bytes) || !splitter.finish())
        return {};
    return lines;
}

bool isText(const QByteArray &bytes)
{
    const std::function<void(QString &&)> drop = [](QString &&) {};
    LineSplitter splitter(drop);
    return splitter.feed(bytes) && splitter.finish();
}

TextFileRead::Status forEachTextLine(const QString &path, const std::function<void(QString &&)> &take, QString *error)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return TextFileRead::Missing;
    QFile file(path);
    const auto unreadable = [&](const QString &reason) {
        if (error)
            *error = QCoreApplication::translate("Core", "Could not read %1: %2")
                         .arg(QDir::toNativeSeparators(path), reason);
        return TextFileRead::Unreadable;
    };
    // A device or a pipe has no end to read to, or never answers.
    if (info.exists() && !info.isFile() && !info.isDir())
        return unreadable(QCoreApplication::translate("Core", "it is not an ordinary file"));
    if (!file.open(QIODevice::ReadOnly))
        return unreadable(file.errorString());
    LineSplitter splitter(take);
    QByteArray block(qsizetype(1) << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = file.read(block.data(), block.size());
        if (got < 0 || file.error() != QFileDevice::NoError)
            return unreadable(file.errorString());
        if (got == 0)
            break;
        if (!splitter.feed(QByteArrayView(block.constData(), got)))
            break;
    }
    if (!splitter.finish()) {
        if (error)
            *error = notTextError(path);
        return TextFileRead::NotText;
    }
    return TextFileRead::Read;
}

TextFileRead readTextFile(const QString &path)
{
    TextFileRead result;
    result.status = forEachTextLine(
        path, [&result](QString &&line) { result.lines.append(std::move(line)); }, &result.error);
    if (result.status != TextFileRead::Read)
        result.lines.clear();
    return result;
}

QStringList readTextLines(const QString &path, bool *ok)
{
    TextFileRead read = readTextFile(path);
    if (ok)
        *ok = read.status == TextFileRead::Read;
    return read.lines;
}

QByteArray encodeText(const QString &text)
{
    return text.toUtf8();
}

QByteArray encodeTextFile(const QString &text)
{
    QByteArray bytes = encodeText(text);
    if (text.startsWith(QChar(0xFEFF)))
        bytes.prepend("\xEF\xBB\xBF");
    return bytes;
}
