#include "map/TextLines.h"

#include "base/DevicePath.h"
#include "base/TextCodec.h"
#include "base/Trace.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

bool ReadFileBlock(const QString& path, qint64 maxBytes, QByteArray& out, bool* cut)
{
    QFile file(NativePath(path));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    out = file.read(maxBytes);
    if (cut)
        *cut = !file.atEnd();
    return true;
}

bool WriteFileBlock(const QString& path, const QByteArray& bytes)
{
    const QString native = NativePath(path);
    MakeParentFolders(native);
    QSaveFile file(native);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        Trace("WriteFileBlock: cannot write %s", qPrintable(native));
        return false;
    }
    return true;
}

bool LineScanner::Next(QByteArrayView& line)
{
    const qsizetype size = m_block.size();
    for (qsizetype i = m_pos; i + 1 < size; ++i) {
        if (m_block[i] == '\r' && m_block[i + 1] == '\n') {
            line = m_block.sliced(m_pos, i - m_pos);
            m_pos = i + 2;
            ++m_lineNumber;
            return true;
        }
    }
    m_pos = size;
    return false;
}

int ToInt(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int64_t value = 0;
    constexpr int64_t kLimit = int64_t(std::numeric_limits<int32_t>::max()) + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min<int64_t>(value * 10 + (text[i].unicode() - '0'), kLimit);
    if (negative)
        value = -value;
    return static_cast<int>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                std::numeric_limits<int32_t>::max()));
}

double ToReal(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    if (i < text.size() && text[i] == '+')
        ++i;
    std::string ascii;
    for (; i < text.size() && text[i].unicode() < 0x80; ++i)
        ascii.push_back(static_cast<char>(text[i].unicode()));
    double value = 0.0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0.0;
    return value;
}

QString OneLineText(const QString& text)
{
    QString line;
    line.reserve(text.size());
    bool inBreak = false;
    for (const QChar c : text) {
        const bool breaks = c >= u'\t' && c <= u'\r';  // tab, LF, VT, FF, CR
        if (breaks) {
            if (!inBreak)
                line += u' ';
            inBreak = true;
        } else if (c.category() != QChar::Other_Control) {
            line += c;
            inBreak = false;
        }
    }
    return line;
}

bool IsIndentLevel(QStringView line, int n)
{
    if (n < 0 || n > 4 || line.size() < n)
        return false;
    for (int i = 0; i < n; ++i) {
        if (line[i] != '\t')
            return false;
    }
    return line.size() == n || line[n] != '\t';
}

void WriteNewLine(QIODevice& file)
{
    file.write("\r\n", 2);
}

void WriteTabs(QIODevice& file, int n)
{
    for (int i = 0; i < n; ++i)
        file.write("\t", 1);
}

void WriteText(QIODevice& file, const QString& text)
{
    const QByteArray bytes = EncodeTextLimited(text, 99);
    if (!bytes.isEmpty())
        file.write(bytes);
}

void WriteTextLine(QIODevice& file, const QString& text)
{
    WriteText(file, text);
    WriteNewLine(file);
}
