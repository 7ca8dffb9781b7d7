#include "ControlCommand.h"
#include "AuditReport.h"
#include "AutoRunAudit.h"
#include "AutoRunPolicy.h"
#include "framework/Exception.h"
#include "framework/Text.h"
#include <new>
#include <optional>

namespace plaxor {

const std::wstring_view kControlUsage =
    L"Usage: plaxorctl <command> [options]\r\n"
    L"\r\n"
    L"Commands:\r\n"
    L"  status            Print the AutoRun state: Enabled or Disabled.\r\n"
    L"  disable           Switch AutoRun off for every drive (needs administrator rights).\r\n"
    L"  enable            Switch AutoRun back on (needs administrator rights).\r\n"
    L"  audit             Report every AutoRun and AutoPlay setting (reads only).\r\n"
    L"\r\n"
    L"Options:\r\n"
    L"  --expect STATE    With status: exit 4 unless the state is STATE (enabled or disabled).\r\n"
    L"  --detect STATE    With status: print the state only if it is STATE; exit 0 either way.\r\n"
    L"  --json            With audit: print one JSON object instead of the table.\r\n"
    L"  --quiet           Print nothing when the command succeeds.\r\n"
    L"  --help            Print this text.\r\n"
    L"\r\n"
    L"Exit codes:\r\n"
    L"  0  success: the state is the one asked for\r\n"
    L"  1  registry error (message on standard error)\r\n"
    L"  2  wrong command line\r\n"
    L"  3  access denied: run from an elevated prompt\r\n"
    L"  4  status --expect: the state differs; audit: a required check fails\r\n"
    L"  5  the command ran but the state did not change\r\n";

namespace {

enum TControlVerb : std::uint8_t { cvNone, cvStatus, cvDisable, cvEnable, cvAudit };

struct Invocation {
    TControlVerb verb = cvNone;
    std::optional<AutoRunState> expect;
    std::optional<AutoRunState> detect; // prints the state only when it is this one
    bool quiet = false;
    bool json = false;
    bool help = false;
    std::wstring error; // the first thing wrong with the command line
};

std::optional<AutoRunState> ParseState(std::wstring_view word) {
    if (SameText(word, L"enabled")) return AutoRunState::Enabled;
    if (SameText(word, L"disabled")) return AutoRunState::Disabled;
    return std::nullopt;
}

void Fail(Invocation& inv, std::wstring message) {
    if (inv.error.empty()) inv.error = std::move(message);
}

// Reads "NAME STATE" or "NAME=STATE" at args[i] into field, moving i past a separate value;
// false when args[i] is not this option.
bool TakeStateOption(Invocation& inv, const std::vector<std::wstring>& args, std::size_t& i,
                     std::wstring_view name, std::optional<AutoRunState>& field) {
    const std::wstring_view arg = args[i];
    std::optional<std::wstring_view> value;
    if (SameText(arg, name)) {
        if (i + 1 < args.size()) value = args[++i];
    } else if (arg.size() > name.size() && arg[name.size()] == L'=' &&
               SameText(arg.substr(0, name.size()), name)) {
        value = arg.substr(name.size() + 1);
    } else {
        return false;
    }
    const std::wstring option(name);
    if (!value)
        Fail(inv, option + L" needs a state: enabled or disabled");
    else if (auto state = ParseState(*value))
        field = state;
    else
        Fail(inv, option + L" takes enabled or disabled, not '" + std::wstring(*value) + L"'");
    return true;
}

Invocation Parse(const std::vector<std::wstring>& args) {
    Invocation inv;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        if (SameText(arg, L"--help") || SameText(arg, L"-h") || arg == L"/?" || arg == L"-?") {
            inv.help = true;
        } else if (SameText(arg, L"--quiet") || SameText(arg, L"-q")) {
            inv.quiet = true;
        } else if (SameText(arg, L"--json")) {
            inv.json = true;
        } else if (TakeStateOption(inv, args, i, L"--expect", inv.expect) ||
                   TakeStateOption(inv, args, i, L"--detect", inv.detect)) {
            // taken, with its value
        } else if (!arg.empty() && (arg[0] == L'-' || arg[0] == L'/')) {
            Fail(inv, L"Unknown option '" + arg + L"'");
        } else {
            TControlVerb verb = cvNone;
            if (SameText(arg, L"status")) verb = cvStatus;
            if (SameText(arg, L"disable")) verb = cvDisable;
            if (SameText(arg, L"enable")) verb = cvEnable;
            if (SameText(arg, L"audit")) verb = cvAudit;
            if (verb == cvNone)
                Fail(inv, L"Unknown command '" + arg + L"'");
            else if (inv.verb != cvNone)
                Fail(inv, L"Only one command at a time: '" + arg + L"' follows another");
            else
                inv.verb = verb;
        }
    }
    if (inv.verb == cvNone) Fail(inv, L"No command given");
    if (inv.expect && inv.verb != cvStatus && inv.verb != cvNone)
        Fail(inv, L"--expect goes with status only");
    if (inv.json && inv.verb != cvAudit && inv.verb != cvNone)
        Fail(inv, L"--json goes with audit only");
    if (inv.detect && inv.verb != cvStatus && inv.verb != cvNone)
        Fail(inv, L"--detect goes with status only");
    if (inv.detect && inv.expect) Fail(inv, L"--detect and --expect exclude each other");
    // A detection that printed nothing would always report the state as absent.
    if (inv.detect && inv.quiet) Fail(inv, L"--detect answers by its output: it cannot be --quiet");
    return inv;
}

std::wstring_view StateName(AutoRunState state) {
    return state == AutoRunState::Disabled ? L"Disabled" : L"Enabled";
}

void WriteLine(ITextSink& sink, std::wstring_view text) {
    sink.Write(text);
    sink.Write(L"\r\n");
}

// A change that is refused for lack of rights is no failure when there is nothing to change:
// deployment scripts run these commands whatever the state, and reading needs no rights.
void Change(void (*command)(IRegistryBackend&), AutoRunState wanted, IRegistryBackend& registry) {
    try {
        command(registry);
    } catch (const EAutoRunAccessDenied&) {
        bool already = false;
        try {
            already = QueryAutoRunState(registry) == wanted;
        } catch (const Exception&) {
            // A state that cannot be read is not the one asked for: the refusal stands.
        }
        if (!already) throw;
    }
}

// Reads only. A value that fails its check is the answer, not an error; only a registry of
// which nothing at all could be read is.
TControlExit Audit(const Invocation& inv, IRegistryBackend& registry, ITextSink& out,
                   ITextSink& err) {
    const TAuditResult result = AuditAutoRun(registry);
    if (result.Unreadable()) {
        const TAuditReading& first = result.checks.front().reading;
        WriteLine(err, L"The registry cannot be read: " + first.error + L" (" + first.path + L")");
        return ceRegistryError;
    }
    const TControlExit code = result.Compliant() ? ceSuccess : ceNotExpected;
    if (!(inv.quiet && code == ceSuccess))
        out.Write(inv.json ? FormatAuditJson(result) : FormatAuditTable(result));
    return code;
}

TControlExit Run(const Invocation& inv, IRegistryBackend& registry, ITextSink& out,
                 ITextSink& err) {
    if (inv.verb == cvAudit) return Audit(inv, registry, out, err);
    std::optional<AutoRunState> wanted;
    if (inv.verb == cvDisable) {
        wanted = AutoRunState::Disabled;
        Change(&DisableAutoRun, *wanted, registry);
    } else if (inv.verb == cvEnable) {
        wanted = AutoRunState::Enabled;
        Change(&EnableAutoRun, *wanted, registry);
    }
    // Read back afresh: only the registry says whether the command took effect.
    const AutoRunState state = QueryAutoRunState(registry);

    // Configuration Manager's script detection: output and exit 0 mean the state is there, no
    // output and exit 0 that it is not; any other exit code is an error.
    if (inv.detect) {
        if (state == *inv.detect) WriteLine(out, StateName(state));
        return ceSuccess;
    }

    TControlExit code = ceSuccess;
    if (inv.expect && state != *inv.expect) code = ceNotExpected;
    if (wanted && state != *wanted) code = ceNotChanged;

    if (!(inv.quiet && code == ceSuccess)) WriteLine(out, StateName(state));
    if (code == ceNotChanged)
        WriteLine(err, L"The change did not take effect: AutoRun is still " +
                           std::wstring(StateName(state)));
    return code;
}

} // namespace

TControlExit RunControlCommand(const std::vector<std::wstring>& args, IRegistryBackend& registry,
                               ITextSink& out, ITextSink& err) noexcept {
    try {
        const Invocation inv = Parse(args);
        if (inv.help) {
            out.Write(kControlUsage);
            return ceSuccess;
        }
        if (!inv.error.empty()) {
            WriteLine(err, inv.error);
            err.Write(L"\r\n");
            err.Write(kControlUsage);
            return ceUsageError;
        }
        try {
            return Run(inv, registry, out, err);
        } catch (const EAutoRunAccessDenied& e) {
            WriteLine(err, e.InnermostMessage());
            return ceAccessDenied;
        } catch (const Exception& e) {
            WriteLine(err, e.InnermostMessage());
            return ceRegistryError;
        }
    } catch (const std::bad_alloc&) {
        // Writing may fail as well; the exit code still tells.
        try {
            WriteLine(err, L"Out of memory");
        } catch (...) {
        }
    } catch (...) {
        try {
            WriteLine(err, L"Unexpected error");
        } catch (...) {
        }
    }
    return ceRegistryError;
}

} // namespace plaxor
