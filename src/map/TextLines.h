// Reading and writing the program's 8-bit text files: one block read, lines
// ended by CR LF, decimal conversions, and the four line-writing operations
// every file writer uses.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>
#include <QStringView>

// Reads at most maxBytes from the start of the file at a device or native
// path. False when the file cannot be opened. *cut is set when the file is
// longer than maxBytes.
bool ReadFileBlock(const QString& path, qint64 maxBytes, QByteArray& out, bool* cut = nullptr);

// Replaces the file at a device or native path with bytes, atomically, making
// its folders first. False (with a trace line) when it cannot be written.
bool WriteFileBlock(const QString& path, const QByteArray& bytes);

// Walks a block line by line. A line is the bytes up to the next CR LF; bytes
// after the last CR LF form no line.
class LineScanner {
public:
    explicit LineScanner(QByteArrayView block) : m_block(block) {}
    bool Next(QByteArrayView& line);
    // Number of the line last returned, from 1.
    int LineNumber() const { return m_lineNumber; }

private:
    QByteArrayView m_block;
    qsizetype m_pos = 0;
    int m_lineNumber = 0;
};

// Integer conversion: leading blanks, an optional sign, then decimal digits up
// to the first other character; no digits gives 0. Values beyond 32 bits are
// held at the nearest 32-bit limit.
int ToInt(QStringView text);

// Real conversion: optional blanks and sign, digits, an optional fraction and
// exponent, stopping at the first other character; nothing readable gives 0.
double ToReal(QStringView text);

// A value as one line of a file may hold it: every run of line breaks and
// tabs becomes one space, other control characters are dropped. A CR LF or a
// tab inside a name would start records or levels of its own on reading back.
QString OneLineText(const QString& text);

// True when the line starts with exactly n tab characters (n = 0 to 4).
bool IsIndentLevel(QStringView line, int n);

// Writers: bytes at the file's current position.
void WriteNewLine(QIODevice& file);
void WriteTabs(QIODevice& file, int n);
void WriteText(QIODevice& file, const QString& text);  // at most 99 bytes, never inside a character
void WriteTextLine(QIODevice& file, const QString& text);
