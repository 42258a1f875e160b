#include "places/NameMatch.h"

#include <QCollator>
#include <algorithm>
#include <array>
#include <bit>
#include <numeric>

namespace {

using Letter = FoldedName::Letter;

// Bits of the marks Vietnamese writes, in NFD, then one for any other mark.
constexpr std::array<char16_t, 8> kMarks = {
    u'\u0300', u'\u0301', u'\u0303', u'\u0309', u'\u0323', // the five tones
    u'\u0302', u'\u0306', u'\u031B',                       // hat, breve, horn
};
constexpr uint16_t kStroke = 1u << kMarks.size(); // đ: no mark in Unicode, a letter of its own
constexpr uint16_t kOtherMark = 1u << 15;

uint16_t MarkBit(char16_t mark)
{
    const auto at = std::find(kMarks.begin(), kMarks.end(), mark);
    return at == kMarks.end() ? kOtherMark : uint16_t(1u << (at - kMarks.begin()));
}

Letter FoldLetter(QChar c)
{
    const char16_t folded = c.toCaseFolded().unicode();
    // Maps also write Đ with the look-alike eth, Ð (U+00D0).
    if (folded == u'đ' || folded == u'ð')
        return {u'd', kStroke};
    return {folded, 0};
}

// A letter typed fits a letter of the name: same letter, and every mark typed
// is on it.
bool Fits(Letter typed, Letter name)
{
    return typed.base == name.base && (typed.marks & ~name.marks) == 0;
}

bool FitsStart(const Letter* typed, const Letter* typedEnd, const Letter* name, const Letter* nameEnd)
{
    if (typedEnd - typed > nameEnd - name)
        return false;
    return std::equal(typed, typedEnd, name, Fits);
}

// Name words are looked at up to this many, each a bit of a mask.
constexpr int kMaxWords = 64;

// Whether each typed word can begin a different word of the name: a
// matching of typed words to name words, grown one augmenting path at a time.
bool Augment(int t, const uint64_t* fits, uint64_t& seen, std::array<int, kMaxWords>& owner)
{
    for (uint64_t candidates = fits[t]; candidates != 0; candidates &= candidates - 1) {
        const int w = std::countr_zero(candidates);
        if (seen & (uint64_t(1) << w))
            continue;
        seen |= uint64_t(1) << w;
        if (owner[w] < 0 || Augment(owner[w], fits, seen, owner)) {
            owner[w] = t;
            return true;
        }
    }
    return false;
}

bool EachWordBeginsAnother(const uint64_t* fits, int typedWords)
{
    std::array<int, kMaxWords> owner;
    owner.fill(-1);
    for (int t = 0; t < typedWords; ++t) {
        uint64_t seen = 0;
        if (!Augment(t, fits, seen, owner))
            return false;
    }
    return true;
}

// The earliest word at or after each previous one always leaves the most
// room for the words still to come.
bool WordsInOrder(const uint64_t* fits, int typedWords)
{
    int next = 0;
    for (int t = 0; t < typedWords; ++t) {
        const uint64_t later = next >= kMaxWords ? 0 : fits[t] >> next << next;
        if (later == 0)
            return false;
        next = std::countr_zero(later) + 1;
    }
    return true;
}

} // namespace

FoldedName::FoldedName(const QString& text)
{
    bool inWord = false;
    for (const QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.isMark()) {
            if (inWord)
                m_letters.back().marks |= MarkBit(c.unicode());
        } else if (!c.isLetterOrNumber()) {
            inWord = false;
        } else {
            if (!inWord) {
                if (!m_letters.empty())
                    m_letters.push_back({kSeparator, 0});
                m_wordStarts.push_back(static_cast<int>(m_letters.size()));
                inWord = true;
            }
            m_letters.push_back(FoldLetter(c));
        }
    }
}

const FoldedName::Letter* FoldedName::WordEnd(int w) const
{
    return w + 1 < WordCount() ? m_letters.data() + m_wordStarts[w + 1] - 1 : m_letters.data() + m_letters.size();
}

NameRank RankName(const FoldedName& typed, const FoldedName& name)
{
    const auto& t = typed.Letters();
    const auto& n = name.Letters();
    if (FitsStart(t.data(), t.data() + t.size(), n.data(), n.data() + n.size()))
        return t.size() == n.size() ? NameRank::Whole : NameRank::Begins;
    const int nameWords = std::min(name.WordCount(), kMaxWords);
    const int typedWords = typed.WordCount();
    if (typedWords > nameWords)
        return NameRank::None;
    std::array<uint64_t, kMaxWords> fits{};
    for (int tw = 0; tw < typedWords; ++tw) {
        for (int nw = 0; nw < nameWords; ++nw) {
            if (FitsStart(typed.WordBegin(tw), typed.WordEnd(tw), name.WordBegin(nw), name.WordEnd(nw)))
                fits[tw] |= uint64_t(1) << nw;
        }
        if (fits[tw] == 0)
            return NameRank::None;
    }
    if (WordsInOrder(fits.data(), typedWords))
        return NameRank::InOrder;
    return EachWordBeginsAnother(fits.data(), typedWords) ? NameRank::AnyOrder : NameRank::None;
}

std::vector<int> NarrowNames(const std::vector<FoldedName>& names, const QString& typed)
{
    const FoldedName folded(typed);
    std::vector<int> result;
    if (folded.WordCount() == 0) {
        result.resize(names.size());
        std::iota(result.begin(), result.end(), 0);
        return result;
    }
    std::array<std::vector<int>, int(NameRank::None)> byRank;
    for (int i = 0; i < static_cast<int>(names.size()); ++i) {
        const NameRank rank = RankName(folded, names[i]);
        if (rank != NameRank::None)
            byRank[int(rank)].push_back(i);
    }
    for (const std::vector<int>& rank : byRank)
        result.insert(result.end(), rank.begin(), rank.end());
    return result;
}

int CompareVietnamese(const QString& a, const QString& b)
{
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::Vietnamese, QLocale::Vietnam));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator.compare(a, b);
}

QStringList SortedVietnamese(QStringList names)
{
    std::stable_sort(names.begin(), names.end(),
                     [](const QString& a, const QString& b) { return CompareVietnamese(a, b) < 0; });
    return names;
}
