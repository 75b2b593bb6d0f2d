#include "FoeNameOrder.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <bitset>
#include <cstdint>

namespace {

constexpr char32_t kNotUtf8 = 0x110000;  // above every code point

// Unicode folds no character into more than three.
constexpr std::int32_t kMaxFolded = 8;

// The characters of the Basic Multilingual Plane whose full case folding is
// not their one-character folding: "ß" folds to "ss", "ﬃ" to "ffi", "ΐ" to
// three characters, "ᾳ" to two. There are only about a hundred, and
// u_foldCase folds every other character in a fraction of the time
// u_strFoldCase takes, which would make a sort of non-Latin names several
// times slower. The set is read from ICU itself, once, on first use, so it
// always agrees with ICU's own folding.
const std::bitset<0x10000>& fullFoldingDiffers()
{
    static const std::bitset<0x10000> set = [] {
        std::bitset<0x10000> full;
        for (UChar32 c = 0; c <= 0xFFFF; ++c) {
            if (U16_IS_SURROGATE(c))
                continue;
            const auto unit = static_cast<UChar>(c);
            UChar fold[kMaxFolded];
            UErrorCode status = U_ZERO_ERROR;
            const std::int32_t foldLength =
                u_strFoldCase(fold, kMaxFolded, &unit, 1, U_FOLD_CASE_DEFAULT, &status);
            const bool oneCharacter = U_SUCCESS(status) && foldLength == 1 &&
                                      fold[0] == u_foldCase(c, U_FOLD_CASE_DEFAULT);
            full[static_cast<std::size_t>(c)] = !oneCharacter;
        }
        return full;
    }();
    return set;
}

char32_t foldAscii(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? c + 32u : c;
}

// Full case folding of one character into `folded`; returns how many
// characters it gave. It stands apart from the reader below: inside it, g++
// no longer inlined the reader into the comparison loop, and comparisons
// slowed down even where every character folded is ASCII.
std::int32_t foldInFull(char32_t c, char32_t (&folded)[kMaxFolded])
{
    UChar utf16[U16_MAX_LENGTH];
    std::int32_t utf16Length = 0;
    U16_APPEND_UNSAFE(utf16, utf16Length, c);
    UChar fold[kMaxFolded];
    UErrorCode status = U_ZERO_ERROR;
    const std::int32_t foldLength =
        u_strFoldCase(fold, kMaxFolded, utf16, utf16Length, U_FOLD_CASE_DEFAULT, &status);
    if (U_FAILURE(status)) {
        // Should a later ICU ever fold a character into more than
        // kMaxFolded, its one-character folding still ignores the case.
        folded[0] = static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT));
        return 1;
    }
    std::int32_t count = 0;
    for (std::int32_t k = 0; k < foldLength;) {
        UChar32 f;
        U16_NEXT_UNSAFE(fold, k, f);
        folded[count++] = static_cast<char32_t>(f);
    }
    return count;
}

// Reads the rest of a name one character at a time, and folds it on demand.
// Full folding can turn one character into several ("ß" into "ss"), which
// are handed out one by one, so that "Straße" and "STRASSE" give the same
// sequence.
class FoldedCharacters {
public:
    explicit FoldedCharacters(std::string_view text) : text_(text) {}

    bool holdsFolded() const { return next_ < count_; }
    bool textEnded() const { return at_ == text_.size(); }
    bool atEnd() const { return !holdsFolded() && textEnded(); }

    // The next character as written; a byte that does not start a
    // well-formed sequence stands for itself, above every character, and the
    // bytes after it are read afresh.
    char32_t read()
    {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(text_.data());
        const auto length = static_cast<std::int32_t>(text_.size());
        const auto start = static_cast<std::int32_t>(at_);
        std::int32_t end = start;
        UChar32 c;
        U8_NEXT(bytes, end, length, c);
        if (c < 0) {
            ++at_;
            return kNotUtf8 + bytes[start];
        }
        at_ = static_cast<std::size_t>(end);
        return static_cast<char32_t>(c);
    }

    void fold(char32_t c)
    {
        next_ = 0;
        count_ = 1;
        if (c < 0x80) {
            folded_[0] = foldAscii(static_cast<unsigned char>(c));
            return;
        }
        // Turkish and Azeri have a dotted and a dotless i; Unicode's default
        // folding keeps İ and ı apart from i, so "iblis" would not find
        // "İblis". Both are folded to i here, in every language.
        if (c == 0x130 || c == 0x131) {
            folded_[0] = U'i';
            return;
        }
        if (c >= kNotUtf8) {
            folded_[0] = c;
            return;
        }
        // Characters above U+FFFF are rare in names, and are folded in full.
        if (c <= 0xFFFF && !fullFoldingDiffers()[c]) {
            folded_[0] = static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT));
            return;
        }
        // Through a buffer of its own: handing folded_ out keeps both
        // readers in memory instead of registers, which slows the whole
        // comparison loop.
        char32_t full[kMaxFolded];
        count_ = foldInFull(c, full);
        for (std::int32_t k = 0; k < count_; ++k)
            folded_[k] = full[k];
    }

    char32_t take() { return folded_[next_++]; }

private:
    std::string_view text_;
    std::size_t at_ = 0;
    char32_t folded_[kMaxFolded] = {};
    std::int32_t count_ = 0;
    std::int32_t next_ = 0;
};

int compareFolded(std::string_view a, std::string_view b)
{
    FoldedCharacters x(a);
    FoldedCharacters y(b);
    for (;;) {
        if (!x.holdsFolded() && !y.holdsFolded()) {
            if (x.textEnded() || y.textEnded())
                break;
            const char32_t rawX = x.read();
            const char32_t rawY = y.read();
            // Folding is the dearer part, and names compared in a sort often
            // share their first letters: the same character folds the same.
            if (rawX == rawY)
                continue;
            x.fold(rawX);
            y.fold(rawY);
        } else {
            if (!x.holdsFolded()) {
                if (x.textEnded())
                    break;
                x.fold(x.read());
            }
            if (!y.holdsFolded()) {
                if (y.textEnded())
                    break;
                y.fold(y.read());
            }
        }
        const char32_t cx = x.take();
        const char32_t cy = y.take();
        if (cx != cy)
            return cx < cy ? -1 : 1;
    }
    if (!x.atEnd())
        return 1;
    return y.atEnd() ? 0 : -1;
}

}  // namespace

int compareFoeNames(std::string_view a, std::string_view b)
{
    // Most names are plain ASCII, and sorting a large bestiary is nearly all
    // comparisons: those bytes are folded without decoding them. From the
    // first byte that is not ASCII on either side, the rest of both names is
    // decoded and folded; an ASCII byte always ends a character, so both
    // names are cut between characters.
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        const auto byteA = static_cast<unsigned char>(a[i]);
        const auto byteB = static_cast<unsigned char>(b[i]);
        if ((byteA | byteB) >= 0x80)
            return compareFolded(a.substr(i), b.substr(i));
        const char32_t x = foldAscii(byteA);
        const char32_t y = foldAscii(byteB);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() > common)
        return 1;
    return b.size() > common ? -1 : 0;
}

std::string listedSpelling(const std::vector<std::string>& offered, const std::string& typed)
{
    const auto sameLetters = std::equal_range(offered.begin(), offered.end(), typed,
                                              [](std::string_view a, std::string_view b) { return compareFoeNames(a, b) < 0; });
    if (sameLetters.first == sameLetters.second || std::find(sameLetters.first, sameLetters.second, typed) != sameLetters.second)
        return typed;
    const bool oneSpelling = std::all_of(sameLetters.first, sameLetters.second,
                                         [&](const std::string& name) { return name == *sameLetters.first; });
    return oneSpelling ? *sameLetters.first : typed;
}
