// Finding a name as people type it, often on a plain keyboard: letter case
// never matters, a mark the user left out may be on the name's letter or not,
// but a mark the user typed must be there ("d" finds "Đ", "đ" does not find
// "D"; "huê" finds "Huế", "huề" does not). Each typed word matches the start
// of a word of the name, in any position. Names may be stored in NFC or NFD.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// A name taken apart for matching: its letters and digits without letter
// case, each with the marks it carries, words joined by one separator.
class FoldedName {
public:
    struct Letter {
        char16_t base;  // case-folded letter or digit without marks; kSeparator between words
        uint16_t marks; // one bit per mark (tone, hat, breve, horn, stroke …)
    };
    static constexpr char16_t kSeparator = u' ';

    explicit FoldedName(const QString& text);

    const std::vector<Letter>& Letters() const { return m_letters; }
    int WordCount() const { return static_cast<int>(m_wordStarts.size()); }
    // The letters of word w, up to the next separator or the end.
    const Letter* WordBegin(int w) const { return m_letters.data() + m_wordStarts[w]; }
    const Letter* WordEnd(int w) const;

private:
    std::vector<Letter> m_letters;
    std::vector<int> m_wordStarts;
};

// How well a name matches typed text, best first.
enum class NameRank {
    Whole,    // the typed words are the name's words
    Begins,   // the name begins with the typed words
    InOrder,  // the typed words begin words of the name in the typed order
    AnyOrder, // … in another order
    None,
};

NameRank RankName(const FoldedName& typed, const FoldedName& name);

// The names that match typed text, as indices, best first; names of one rank
// keep their order in the list. Text without letters or digits matches all.
std::vector<int> NarrowNames(const std::vector<FoldedName>& names, const QString& typed);

// Vietnamese alphabetical order, whatever the system's locale: a negative,
// zero or positive result as a comes before, with or after b.
int CompareVietnamese(const QString& a, const QString& b);

// The names a list shows, in Vietnamese alphabetical order; names that
// compare equal keep their order.
QStringList SortedVietnamese(QStringList names);
