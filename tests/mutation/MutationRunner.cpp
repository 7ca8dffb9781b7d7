#include "tests/mutation/MutationRunner.h"

#include <windows.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>
#include <new>

#include "framework/Exception.h"

namespace plaxor::test {

namespace {

// ---- the case in progress, as the emergency reports see it

char currentCase[512] = {};
std::atomic<bool> inCase{false};
std::atomic<std::uint64_t> caseStarted{0};
std::uint64_t budgetMs = 30000;

// Straight to the standard error handle: no allocation, safe inside a crash report.
void Report(const char* what) {
    const HANDLE err = ::GetStdHandle(STD_ERROR_HANDLE);
    DWORD written = 0;
    ::WriteFile(err, what, static_cast<DWORD>(std::strlen(what)), &written, nullptr);
    ::WriteFile(err, currentCase, static_cast<DWORD>(std::strlen(currentCase)), &written, nullptr);
    ::WriteFile(err, "\n", 1, &written, nullptr);
}

LONG WINAPI OnCrash(EXCEPTION_POINTERS* info) {
    if (inCase) {
        char line[64];
        std::snprintf(line, sizeof line, "MUTATION CRASH (exception 0x%08lX) in ",
                      static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode));
        Report(line);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

// Hex digits of v into out (16 characters), without the C library.
void Hex(std::uint64_t v, char* out) {
    for (int i = 15; i >= 0; --i, v >>= 4)
        out[i] = "0123456789abcdef"[v & 15];
}

// A stack overflow leaves too little stack for the unhandled-exception filter, and under Wine
// the thread then ends without a word while the process lives on. This handler runs first, on
// the little that is left, calling nothing but WriteFile: it names the case and the test
// program's code addresses found on the stack, innermost first (offsets from the image base,
// for addr2line), then ends the process.
LONG WINAPI OnStackOverflow(EXCEPTION_POINTERS* info) {
    if (info->ExceptionRecord->ExceptionCode != EXCEPTION_STACK_OVERFLOW)
        return EXCEPTION_CONTINUE_SEARCH;
    if (inCase) Report("MUTATION CRASH (stack overflow) in ");
    const auto base = reinterpret_cast<std::uint64_t>(::GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const std::uint64_t end = base + nt->OptionalHeader.SizeOfImage;
    const HANDLE err = ::GetStdHandle(STD_ERROR_HANDLE);
    const auto* stack = reinterpret_cast<const std::uint64_t*>(info->ContextRecord->Rsp);
    char line[] = "  code at exe+0x0000000000000000\n";
    DWORD written = 0;
    Hex(info->ContextRecord->Rip - base, line + 16);
    if (info->ContextRecord->Rip >= base && info->ContextRecord->Rip < end)
        ::WriteFile(err, line, sizeof line - 1, &written, nullptr);
    // Up to the top of the stack: the recursion itself may lie wholly in system code.
    ULONG_PTR low = 0, high = 0;
    ::GetCurrentThreadStackLimits(&low, &high);
    const auto* top = reinterpret_cast<const std::uint64_t*>(high);
    for (int i = 0, shown = 0; stack + i < top && shown < 40; ++i) {
        if (stack[i] < base || stack[i] >= end) continue;
        Hex(stack[i] - base, line + 16);
        ::WriteFile(err, line, sizeof line - 1, &written, nullptr);
        ++shown;
    }
    ::TerminateProcess(::GetCurrentProcess(), 5);
    return EXCEPTION_CONTINUE_SEARCH;
}

void OnExit() {
    if (inCase) Report("MUTATION EXIT: the process ended in ");
}

void OnAbort(int) {
    if (inCase) Report("MUTATION ABORT in ");
    std::_Exit(3);
}

// Checks four times a second whether the case in progress has run past its budget.
DWORD WINAPI Watch(void*) {
    for (;;) {
        ::Sleep(250);
        if (inCase && ::GetTickCount64() - caseStarted > budgetMs) {
            Report("MUTATION HANG: no end after the time budget in ");
            ::TerminateProcess(::GetCurrentProcess(), 4);
        }
    }
}

void InstallGuards() {
    static const bool installed = [] {
        if (const char* b = std::getenv("PLAXOR_MUTATION_BUDGET_MS"))
            budgetMs = std::strtoull(b, nullptr, 10);
        ::SetUnhandledExceptionFilter(OnCrash);
        ::AddVectoredExceptionHandler(1, OnStackOverflow);
        std::atexit(OnExit);
        std::signal(SIGABRT, OnAbort);
        if (HANDLE thread = ::CreateThread(nullptr, 0, Watch, nullptr, 0, nullptr))
            ::CloseHandle(thread);
        return true;
    }();
    (void)installed;
}

template <typename Unit> void Dump(const std::string& path, const std::vector<Unit>& data) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size() * sizeof(Unit)));
}

} // namespace

MutationSettings SettingsFromEnvironment(std::size_t defaultMutants) {
    MutationSettings s;
    s.mutants = defaultMutants;
    if (const char* v = std::getenv("PLAXOR_MUTATION_SEED")) s.seed = std::strtoull(v, nullptr, 0);
    if (const char* v = std::getenv("PLAXOR_MUTANTS")) s.mutants = std::strtoull(v, nullptr, 10);
    if (const char* v = std::getenv("PLAXOR_MUTATION_CASE"))
        s.onlyCase = std::strtoull(v, nullptr, 10);
    if (const char* v = std::getenv("PLAXOR_MUTATION_DUMP")) s.dumpPath = v;
    if (const char* v = std::getenv("PLAXOR_MUTATION_FILE")) s.inputFile = v;
    return s;
}

std::string Printable(std::wstring_view text) {
    std::string printable;
    for (wchar_t c : text)
        printable += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
    return printable;
}

std::string RunOneCase(const std::string& caseName, const std::function<void()>& call) {
    InstallGuards();
    std::snprintf(currentCase, sizeof currentCase, "%s", caseName.c_str());
    caseStarted = ::GetTickCount64();
    inCase = true;
    std::string result;
    try {
        call();
    } catch (const Exception& e) {
        result = "refused";
        static const bool verbose = std::getenv("PLAXOR_MUTATION_VERBOSE") != nullptr;
        if (verbose) {
            std::printf("refused %s: %s\n", caseName.c_str(), Printable(e.Message()).c_str());
        }
    } catch (const MutationDefect& e) {
        result = std::string("wrong result: ") + e.what();
    } catch (const std::bad_alloc&) {
        result = "std::bad_alloc escaped (an allocation the reader did not bound)";
    } catch (const std::exception& e) {
        result = std::string("std::exception escaped: ") + e.what();
    } catch (...) {
        result = "an exception of unknown type escaped";
    }
    inCase = false;
    return result;
}

template <typename Unit>
MutationOutcome RunMutants(const char* reader, const MutantGenerator<Unit>& generate,
                           const std::function<void(const std::vector<Unit>&)>& read,
                           const MutationSettings& settings) {
    MutationOutcome outcome;
    if (!settings.inputFile.empty()) {
        std::ifstream in(settings.inputFile, std::ios::binary);
        const std::vector<char> raw((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
        const std::vector<Unit> input = UnitsFromBytes<Unit>(raw.data(), raw.size());
        const std::string result =
            RunOneCase(std::string(reader) + " file " + settings.inputFile, [&] { read(input); });
        ++outcome.cases;
        if (result.empty())
            ++outcome.clean;
        else if (result == "refused")
            ++outcome.refused;
        else
            outcome.defects.push_back(settings.inputFile + ": " + result);
        return outcome;
    }
    const std::size_t first = settings.onlyCase.value_or(0);
    const std::size_t end = settings.onlyCase ? first + 1 : settings.mutants;
    for (std::size_t index = first; index < end; ++index) {
        SplitMix64 rng(CaseSeed(settings.seed, reader, index));
        const std::vector<Unit> mutant = generate(rng);
        if (settings.onlyCase && !settings.dumpPath.empty()) Dump(settings.dumpPath, mutant);
        const std::string name = std::string(reader) + " seed " + std::to_string(settings.seed) +
                                 " case " + std::to_string(index) + " (" +
                                 std::to_string(mutant.size() * sizeof(Unit)) + " bytes)";
        const std::string result = RunOneCase(name, [&] { read(mutant); });
        ++outcome.cases;
        if (result.empty()) {
            ++outcome.clean;
        } else if (result == "refused") {
            ++outcome.refused;
        } else if (outcome.defects.size() < 20) {
            outcome.defects.push_back(
                name + ": " + result + "\n  reproduce: scripts/mutation-campaign --case " + reader +
                " " + std::to_string(settings.seed) + " " + std::to_string(index));
        }
    }
    return outcome;
}

template <typename Unit>
MutationOutcome RunMutants(const char* reader, const MutationCorpus<Unit>& corpus,
                           const std::function<void(const std::vector<Unit>&)>& read,
                           const MutationSettings& settings) {
    return RunMutants<Unit>(
        reader, [&](SplitMix64& rng) { return Mutate(corpus, rng); }, read, settings);
}

template MutationOutcome RunMutants(const char*, const MutantGenerator<std::uint8_t>&,
                                    const std::function<void(const std::vector<std::uint8_t>&)>&,
                                    const MutationSettings&);
template MutationOutcome RunMutants(const char*, const MutationCorpus<std::uint8_t>&,
                                    const std::function<void(const std::vector<std::uint8_t>&)>&,
                                    const MutationSettings&);
template MutationOutcome RunMutants(const char*, const MutationCorpus<wchar_t>&,
                                    const std::function<void(const std::vector<wchar_t>&)>&,
                                    const MutationSettings&);

} // namespace plaxor::test
