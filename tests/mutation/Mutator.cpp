#include "tests/mutation/Mutator.h"

#include <algorithm>
#include <string>

namespace plaxor::test {

std::uint64_t CaseSeed(std::uint64_t runSeed, std::string_view reader, std::uint64_t index) {
    std::uint64_t hash = 0xCBF29CE484222325ull; // FNV-1a of the reader's name
    for (char c : reader)
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
    SplitMix64 mix(runSeed ^ hash);
    mix.Next();
    SplitMix64 mixIndex(mix.Next() + index * 0xD1B54A32D192ED03ull);
    return mixIndex.Next();
}

namespace {

// Values that break length, count, size and offset fields.
constexpr std::uint64_t kExtremes[] = {0,
                                       1,
                                       2,
                                       0x7F,
                                       0x80,
                                       0xFF,
                                       0x100,
                                       0x3FFF,
                                       0x4000,
                                       0x4001,
                                       0x7FFF,
                                       0x8000,
                                       0xFFFF,
                                       0x10000,
                                       0x7FFFFFFF,
                                       0x80000000,
                                       0xFFFFFFFF,
                                       0xFFFFFFFE,
                                       0x7FFFFFFFFFFFFFFFull,
                                       0x8000000000000000ull,
                                       0xFFFFFFFFFFFFFFFFull};

// Text: numbers at the edges of what the reader takes, and just past them.
constexpr std::wstring_view kExtremeNumbers[] = {
    L"0",
    L"-1",
    L"2147483647",
    L"-2147483648",
    L"4294967296",
    L"9223372036854775807",
    L"-9223372036854775808",
    L"9223372036854775808",
    L"$7FFFFFFFFFFFFFFF",
    L"$FFFFFFFFFFFFFFFF",
    L"1e308",
    L"1e309",
    L"-1e-400",
    L"#1114111",
    L"#1114112",
    L"#$FFFF",
    L"#$D800",
    L"99999999999999999999999999",
};

template <typename Unit> Unit RandomUnit(SplitMix64& rng);

template <> std::uint8_t RandomUnit<std::uint8_t>(SplitMix64& rng) {
    return static_cast<std::uint8_t>(rng.Next());
}

template <> wchar_t RandomUnit<wchar_t>(SplitMix64& rng) {
    static constexpr std::wstring_view special = L"'#$(){}[]=:,+-._\r\n \t0123456789";
    switch (rng.Below(10)) {
    case 0: return static_cast<wchar_t>(rng.Next() & 0xFFFF);
    case 1:
    case 2: return special[rng.Below(special.size())];
    default: return static_cast<wchar_t>(0x20 + rng.Below(0x5F));
    }
}

template <typename Unit> void FlipBit(std::vector<Unit>& d, SplitMix64& rng) {
    if (d.empty()) return;
    const std::size_t bits = sizeof(Unit) == 1 ? 8 : 7; // text: stay mostly in ASCII
    Unit& u = d[rng.Below(d.size())];
    u = static_cast<Unit>(u ^ (1u << rng.Below(bits)));
}

template <typename Unit> void SetUnit(std::vector<Unit>& d, SplitMix64& rng) {
    if (!d.empty()) d[rng.Below(d.size())] = RandomUnit<Unit>(rng);
}

template <typename Unit> void Insert(std::vector<Unit>& d, SplitMix64& rng) {
    const std::size_t at = rng.Below(d.size() + 1);
    std::vector<Unit> run(1 + rng.Below(8));
    for (Unit& u : run)
        u = RandomUnit<Unit>(rng);
    d.insert(d.begin() + static_cast<std::ptrdiff_t>(at), run.begin(), run.end());
}

template <typename Unit> void Delete(std::vector<Unit>& d, SplitMix64& rng) {
    if (d.empty()) return;
    const std::size_t at = rng.Below(d.size());
    const std::size_t n = 1 + rng.Below(std::min<std::size_t>(d.size() - at, 32));
    d.erase(d.begin() + static_cast<std::ptrdiff_t>(at),
            d.begin() + static_cast<std::ptrdiff_t>(at + n));
}

template <typename Unit> void Truncate(std::vector<Unit>& d, SplitMix64& rng) {
    d.resize(rng.Below(d.size() + 1));
}

template <typename Unit>
void Splice(std::vector<Unit>& d, const MutationCorpus<Unit>& corpus, SplitMix64& rng) {
    const std::vector<Unit>& other = corpus.samples[rng.Below(corpus.samples.size())];
    const std::size_t cut = rng.Below(d.size() + 1);
    const std::size_t from = rng.Below(other.size() + 1);
    d.resize(cut);
    d.insert(d.end(), other.begin() + static_cast<std::ptrdiff_t>(from), other.end());
}

// A chunk of the data repeated in place, sometimes many times: deep nesting, long lists.
template <typename Unit> void Duplicate(std::vector<Unit>& d, SplitMix64& rng) {
    if (d.empty()) return;
    const std::size_t at = rng.Below(d.size());
    const std::size_t n = 1 + rng.Below(std::min<std::size_t>(d.size() - at, 64));
    const std::vector<Unit> chunk(d.begin() + static_cast<std::ptrdiff_t>(at),
                                  d.begin() + static_cast<std::ptrdiff_t>(at + n));
    const std::size_t times = rng.OneIn(4) ? 1 + rng.Below(200) : 1;
    const std::size_t to = rng.Below(d.size() + 1);
    std::vector<Unit> run;
    for (std::size_t i = 0; i < times; ++i)
        run.insert(run.end(), chunk.begin(), chunk.end());
    d.insert(d.begin() + static_cast<std::ptrdiff_t>(to), run.begin(), run.end());
}

void Extreme(std::vector<std::uint8_t>& d, SplitMix64& rng) {
    if (d.empty()) return;
    static constexpr std::size_t widths[] = {1, 2, 4, 8};
    const std::size_t width = std::min(widths[rng.Below(4)], d.size());
    std::uint64_t value = kExtremes[rng.Below(std::size(kExtremes))];
    if (rng.OneIn(4)) value = d.size() + rng.Below(3) - 1; // the data's own size, +-1
    const std::size_t at = rng.Below(d.size() - width + 1);
    const bool bigEndian = rng.OneIn(3); // JPEG, PNG and GIF headers are big-endian
    for (std::size_t i = 0; i < width; ++i) {
        const std::size_t shift = 8 * (bigEndian ? width - 1 - i : i);
        d[at + i] = static_cast<std::uint8_t>(value >> shift);
    }
}

// A number of the text replaced by an extreme one (or one put anywhere when there is none).
void Extreme(std::vector<wchar_t>& d, SplitMix64& rng) {
    const std::wstring_view number = kExtremeNumbers[rng.Below(std::size(kExtremeNumbers))];
    std::vector<std::size_t> digits;
    for (std::size_t i = 0; i < d.size(); ++i)
        if (d[i] >= L'0' && d[i] <= L'9' && (i == 0 || d[i - 1] < L'0' || d[i - 1] > L'9'))
            digits.push_back(i);
    if (digits.empty()) {
        const std::size_t at = rng.Below(d.size() + 1);
        d.insert(d.begin() + static_cast<std::ptrdiff_t>(at), number.begin(), number.end());
        return;
    }
    const std::size_t start = digits[rng.Below(digits.size())];
    std::size_t end = start;
    while (end < d.size() && d[end] >= L'0' && d[end] <= L'9')
        ++end;
    d.erase(d.begin() + static_cast<std::ptrdiff_t>(start),
            d.begin() + static_cast<std::ptrdiff_t>(end));
    d.insert(d.begin() + static_cast<std::ptrdiff_t>(start), number.begin(), number.end());
}

template <typename Unit>
void Word(std::vector<Unit>& d, const MutationCorpus<Unit>& corpus, SplitMix64& rng) {
    if (corpus.dictionary.empty()) return Insert(d, rng);
    const std::vector<Unit>& word = corpus.dictionary[rng.Below(corpus.dictionary.size())];
    const std::size_t at = rng.Below(d.size() + 1);
    if (rng.OneIn(2) && at + word.size() <= d.size()) {
        std::copy(word.begin(), word.end(), d.begin() + static_cast<std::ptrdiff_t>(at));
    } else {
        d.insert(d.begin() + static_cast<std::ptrdiff_t>(at), word.begin(), word.end());
    }
}

} // namespace

template <typename Unit>
std::vector<Unit> Mutate(const MutationCorpus<Unit>& corpus, SplitMix64& rng) {
    std::vector<Unit> d = corpus.samples[rng.Below(corpus.samples.size())];
    const std::size_t changes = 1 + (rng.OneIn(2) ? 0 : rng.Below(4));
    for (std::size_t i = 0; i < changes; ++i) {
        switch (rng.Below(12)) {
        case 0:
        case 1: FlipBit(d, rng); break;
        case 2:
        case 3: SetUnit(d, rng); break;
        case 4: Insert(d, rng); break;
        case 5: Delete(d, rng); break;
        case 6: Truncate(d, rng); break;
        case 7: Splice(d, corpus, rng); break;
        case 8: Duplicate(d, rng); break;
        case 9:
        case 10: Extreme(d, rng); break;
        default: Word(d, corpus, rng); break;
        }
        if (d.size() > corpus.maxSize) d.resize(corpus.maxSize);
    }
    return d;
}

template std::vector<std::uint8_t> Mutate(const MutationCorpus<std::uint8_t>&, SplitMix64&);
template std::vector<wchar_t> Mutate(const MutationCorpus<wchar_t>&, SplitMix64&);

} // namespace plaxor::test
