// Every reader of bytes against thousands of deterministic mutants of valid samples: each
// mutant must end in a clean result or a framework Exception.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/mutation/LayoutValueMutator.h"
#include "tests/mutation/MutationRunner.h"
#include "tests/mutation/MutationSamples.h"
#include "tests/mutation/Readers.h"
#include "tests/support/GdiplusEnvironment.h"

namespace plaxor::test {
namespace {

// Mutants per reader in the test run; scripts/mutation-campaign runs many more.
// Together about 25 to 35 s under Wine; GDI+ decoding and painting are the slow ones.
constexpr std::size_t kLayoutMutants = 10000;
constexpr std::size_t kFormMutants = 2000;
constexpr std::size_t kKeltMutants = 1000;
constexpr std::size_t kValueMutants = 1000;
constexpr std::size_t kBitmapMutants = 10000;
constexpr std::size_t kJpegMutants = 8000;
constexpr std::size_t kGdipMutants = 3000;
constexpr std::size_t kGlowMutants = 1000;
constexpr std::size_t kPictureDataMutants = 8000;
constexpr std::size_t kRegistryMutants = 10000;

void Report(const char* reader, const MutationSettings& settings, const MutationOutcome& outcome,
            bool refuses = true) {
    std::printf("%s: %zu mutants (seed %llu): %zu read cleanly, %zu refused, %zu defects\n", reader,
                outcome.cases, static_cast<unsigned long long>(settings.seed), outcome.clean,
                outcome.refused, outcome.defects.size());
    for (const std::string& defect : outcome.defects)
        ADD_FAILURE() << defect;
    EXPECT_TRUE(outcome.defects.empty());
    if (!settings.onlyCase && settings.inputFile.empty()) {
        // Both endings occur, so the mutants reach past the readers' first checks.
        EXPECT_GT(outcome.clean, 0u);
        if (refuses) {
            EXPECT_GT(outcome.refused, 0u);
        }
    }
}

template <typename Unit>
void ExpectNoDefects(const char* reader, const MutationCorpus<Unit>& corpus,
                     void (*read)(const std::vector<Unit>&), std::size_t mutants,
                     bool refuses = true) {
    const MutationSettings settings = SettingsFromEnvironment(mutants);
    const MutationOutcome outcome = RunMutants<Unit>(reader, corpus, read, settings);
    Report(reader, settings, outcome, refuses);
}

// A layout tree whose property values are mutated (not its bytes), read in binary form.
void ExpectNoValueDefects(const char* reader, const LayoutNode& sample,
                          void (*read)(const std::vector<std::uint8_t>&), std::size_t mutants) {
    const MutationSettings settings = SettingsFromEnvironment(mutants);
    const MutationOutcome outcome = RunMutants<std::uint8_t>(
        reader, [&](SplitMix64& rng) { return MutateLayoutValues(sample, rng); }, read, settings);
    Report(reader, settings, outcome);
}

TEST(Mutation, LayoutTextReaderAndLoader) {
    ExpectNoDefects("layout-text", LayoutTextCorpus(), ReadLayoutTextInput, kLayoutMutants);
}

TEST(Mutation, FormLayout) {
    ExpectNoDefects("layout-form", FormLayoutCorpus(), ReadFormLayoutInput, kFormMutants);
}

TEST(Mutation, KeltLayout) {
    ExpectNoDefects("layout-kelt", KeltLayoutCorpus(), ReadKeltLayoutInput, kKeltMutants);
}

TEST(Mutation, KeltLayoutValues) {
    ExpectNoValueDefects("layout-kelt-values", KeltLayoutTree(), ReadKeltLayoutBinaryInput,
                         kKeltMutants);
}

TEST(Mutation, FormLayoutValues) {
    ExpectNoValueDefects("layout-form-values", FormLayoutTree(), ReadFormLayoutBinaryInput,
                         kValueMutants);
}

TEST(Mutation, LayoutBinaryReaderAndLoader) {
    ExpectNoDefects("layout-binary", LayoutBinaryCorpus(), ReadLayoutBinaryInput, kLayoutMutants);
}

TEST(Mutation, BmpReader) {
    ExpectNoDefects("bmp", BmpCorpus(), ReadBmpInput, kBitmapMutants);
}

TEST(Mutation, JpegImage) {
    ExpectNoDefects("jpeg", JpegCorpus(), ReadJpegInput, kJpegMutants);
}

TEST(Mutation, GdipPicture) {
    // Bytes no decoder takes are held and measure 0 x 0: this reader never refuses.
    ExpectNoDefects("gdip-picture", GdipPictureCorpus(), ReadGdipPictureInput, kGdipMutants, false);
}

TEST(Mutation, GlowButtonPicture) {
    // Like the GDI+ picture, never refused: what no decoder takes is not drawn.
    ExpectNoDefects("glow-picture", GdipPictureCorpus(), ReadGlowPictureInput, kGlowMutants, false);
}

TEST(Mutation, PictureData) {
    ExpectNoDefects("picture-data", PictureDataCorpus(), ReadPictureDataInput, kPictureDataMutants);
}

TEST(Mutation, RegistryReadText) {
    ExpectNoDefects("registry-text", RegistryTextCorpus(), ReadRegistryTextInput, kRegistryMutants);
}

// The samples themselves read cleanly: otherwise the mutants would test only the refusals.
template <typename Unit>
void ExpectSamplesRead(const MutationCorpus<Unit>& corpus, void (*read)(const std::vector<Unit>&)) {
    for (std::size_t i = 0; i < corpus.samples.size(); ++i) {
        SCOPED_TRACE("sample " + std::to_string(i));
        EXPECT_EQ(RunOneCase("sample " + std::to_string(i), [&] { read(corpus.samples[i]); }), "");
    }
}

TEST(MutationSamples, EveryLayoutTextSampleLoads) {
    ExpectSamplesRead(LayoutTextCorpus(), ReadLayoutTextInput);
}

TEST(MutationSamples, TheFormLayoutSampleLoadsAndPaints) {
    ExpectSamplesRead(FormLayoutCorpus(), ReadFormLayoutInput);
}

TEST(MutationSamples, TheProgramsOwnLayoutMakesAndPaintsItsWindow) {
    ExpectSamplesRead(KeltLayoutCorpus(), ReadKeltLayoutInput);
}

TEST(MutationSamples, EveryLayoutBinarySampleLoads) {
    ExpectSamplesRead(LayoutBinaryCorpus(), ReadLayoutBinaryInput);
}

TEST(MutationSamples, EveryBmpSampleReads) {
    ExpectSamplesRead(BmpCorpus(), ReadBmpInput);
}

TEST(MutationSamples, EveryJpegSampleReads) {
    ExpectSamplesRead(JpegCorpus(), ReadJpegInput);
}

TEST(MutationSamples, EveryGdipPictureSampleReads) {
    ExpectSamplesRead(GdipPictureCorpus(), ReadGdipPictureInput);
}

TEST(MutationSamples, EveryGlowButtonPictureSampleIsPainted) {
    ExpectSamplesRead(GdipPictureCorpus(), ReadGlowPictureInput);
}

TEST(MutationSamples, EveryPictureDataSampleReads) {
    ExpectSamplesRead(PictureDataCorpus(), ReadPictureDataInput);
}

// Text values are read; the sample that fails its read and the two of other types are refused.
TEST(MutationSamples, RegistrySamplesEndAsTheirTypesSay) {
    const MutationCorpus<std::uint8_t> corpus = RegistryTextCorpus();
    const char* const expected[] = {"", "", "", "", "refused", "refused", "refused", "refused"};
    ASSERT_EQ(corpus.samples.size(), std::size(expected));
    for (std::size_t i = 0; i < corpus.samples.size(); ++i) {
        SCOPED_TRACE("sample " + std::to_string(i));
        EXPECT_EQ(RunOneCase("sample", [&] { ReadRegistryTextInput(corpus.samples[i]); }),
                  expected[i]);
    }
}

// Each input kept from a defect the mutants found ends cleanly now.
TEST(MutationRegressions, EveryKeptInputEndsInAResultOrAnException) {
    for (const EmbeddedFile& input : RegressionInputs()) {
        SCOPED_TRACE(input.name);
        const std::string result = RunOneCase(input.name, [&] {
            if (!ReadRegressionInput(input.name, input.bytes))
                throw MutationDefect("no reader for this file name");
        });
        EXPECT_TRUE(result.empty() || result == "refused") << result;
    }
}

} // namespace
} // namespace plaxor::test
