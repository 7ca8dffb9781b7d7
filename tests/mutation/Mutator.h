#pragma once
// Deterministic mutation of sample inputs. A mutant is made from a sample by one to four
// stacked changes: bit and unit flips, insertions, deletions, truncation, splices with another
// sample, chunks repeated, extreme values written over length and size fields, and words of
// the format's own vocabulary. The generator is splitmix64, so a case number and a seed give
// the same mutant on every machine and compiler.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace plaxor::test {

class SplitMix64 {
public:
    explicit SplitMix64(std::uint64_t seed) noexcept : state_(seed) {}
    std::uint64_t Next() noexcept {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // In [0, n); 0 when n is 0. The modulo bias is irrelevant at these sizes.
    std::size_t Below(std::size_t n) noexcept {
        return n ? static_cast<std::size_t>(Next() % n) : 0;
    }
    bool OneIn(std::size_t n) noexcept { return Below(n) == 0; }

private:
    std::uint64_t state_;
};

// A seed for one case of one reader: the run's seed, the reader's name and the case number
// mixed, so that adding a reader or changing a count leaves the other cases as they were.
std::uint64_t CaseSeed(std::uint64_t runSeed, std::string_view reader, std::uint64_t index);

// The material of one reader. Unit is a byte for binary formats and a UTF-16 code unit for
// text.
template <typename Unit> struct MutationCorpus {
    std::vector<std::vector<Unit>> samples;
    // Tokens of the format (keywords, markers, type bytes) inserted or written over the data.
    std::vector<std::vector<Unit>> dictionary;
    // Mutants are cut to this many units, so that repeated growth stays cheap.
    std::size_t maxSize = 1 << 16;
};

template <typename Unit>
std::vector<Unit> Mutate(const MutationCorpus<Unit>& corpus, SplitMix64& rng);

extern template std::vector<std::uint8_t> Mutate(const MutationCorpus<std::uint8_t>&, SplitMix64&);
extern template std::vector<wchar_t> Mutate(const MutationCorpus<wchar_t>&, SplitMix64&);

} // namespace plaxor::test
