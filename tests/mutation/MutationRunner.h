#pragma once
// Runs a reader over mutants of its samples and sorts every ending: a clean result, a refusal
// with a framework Exception, or a defect (any other exception, an oracle that fails). Crashes,
// process exits and calls that run far too long are reported with the case that caused them
// before the process ends, so that every failure reproduces from its seed and case number.
//
// Settings come from the environment (set by scripts/mutation-campaign):
//   PLAXOR_MUTATION_SEED    the run's seed (decimal or 0x hex; default 1)
//   PLAXOR_MUTANTS          mutants per reader (default: the test's own count)
//   PLAXOR_MUTATION_CASE    run only this case number
//   PLAXOR_MUTATION_DUMP    with a case: write the mutant's bytes to this file first
//   PLAXOR_MUTATION_FILE    instead of mutants, run the reader on this file's bytes
//   PLAXOR_MUTATION_VERBOSE print why each refused mutant was refused
#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tests/mutation/Mutator.h"

namespace plaxor::test {

// Thrown by a reader's checks when a mutant was accepted but the result is wrong.
class MutationDefect : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

struct MutationSettings {
    std::uint64_t seed = 1;
    std::size_t mutants = 0;
    std::optional<std::size_t> onlyCase;
    std::string dumpPath;
    std::string inputFile;
};
MutationSettings SettingsFromEnvironment(std::size_t defaultMutants);

struct MutationOutcome {
    std::size_t cases = 0;
    std::size_t clean = 0;   // read without complaint
    std::size_t refused = 0; // a framework Exception
    std::vector<std::string> defects;
};

// The units a dump or regression file holds (this machine's byte order, which the dump wrote);
// a trailing part unit is dropped.
template <typename Unit> std::vector<Unit> UnitsFromBytes(const void* bytes, std::size_t size) {
    std::vector<Unit> units(size / sizeof(Unit));
    if (!units.empty()) std::memcpy(units.data(), bytes, units.size() * sizeof(Unit));
    return units;
}

// A message in printable ASCII, for reports ('?' for anything else).
std::string Printable(std::wstring_view text);

// How one call ends; "" for clean, "refused" for a framework Exception, else the defect.
// Runs under the hang guard with the case described for the crash and exit reports.
std::string RunOneCase(const std::string& caseName, const std::function<void()>& call);

// Makes the mutant of one case from its generator.
template <typename Unit> using MutantGenerator = std::function<std::vector<Unit>(SplitMix64&)>;

template <typename Unit>
MutationOutcome RunMutants(const char* reader, const MutantGenerator<Unit>& generate,
                           const std::function<void(const std::vector<Unit>&)>& read,
                           const MutationSettings& settings);

template <typename Unit>
MutationOutcome RunMutants(const char* reader, const MutationCorpus<Unit>& corpus,
                           const std::function<void(const std::vector<Unit>&)>& read,
                           const MutationSettings& settings);

extern template MutationOutcome
RunMutants(const char*, const MutantGenerator<std::uint8_t>&,
           const std::function<void(const std::vector<std::uint8_t>&)>&, const MutationSettings&);
extern template MutationOutcome
RunMutants(const char*, const MutationCorpus<std::uint8_t>&,
           const std::function<void(const std::vector<std::uint8_t>&)>&, const MutationSettings&);
extern template MutationOutcome RunMutants(const char*, const MutationCorpus<wchar_t>&,
                                           const std::function<void(const std::vector<wchar_t>&)>&,
                                           const MutationSettings&);

} // namespace plaxor::test
