#include "ResourceLevels.h"
#include "framework/UniqueHandle.h"
#include "gdiplus/GdiplusBase.h"
#include <psapi.h>
#include <objidl.h>
#include <sstream>

namespace plaxor::testing {
namespace {

const char kPrivateBytes[] = "private bytes";

// Every value a kernel handle can have in a small process, asked one by one.
long long ProbeKernelHandles() {
    long long count = 0;
    DWORD flags = 0;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4)
        if (::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
    return count;
}

// Committed memory of no image or mapped file: what Windows calls private bytes.
long long SumPrivateMemory() {
    long long sum = 0;
    MEMORY_BASIC_INFORMATION region{};
    const char* at = nullptr;
    while (::VirtualQuery(at, &region, sizeof region) == sizeof region) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            sum += static_cast<long long>(region.RegionSize);
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= at) break;
        at = next;
    }
    return sum;
}

BOOL CALLBACK CountOne(HWND, LPARAM counter) {
    ++*reinterpret_cast<long long*>(counter);
    return TRUE;
}

// A top-level window and all its descendants (EnumChildWindows walks the whole tree).
BOOL CALLBACK CountWithDescendants(HWND window, LPARAM counter) {
    CountOne(window, counter);
    ::EnumChildWindows(window, &CountOne, counter);
    return TRUE;
}

// Top-level and child windows of this thread, message-only ones included.
long long CountThreadWindows() {
    long long count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CountWithDescendants,
                        reinterpret_cast<LPARAM>(&count));
    HWND messageOnly = nullptr;
    while ((messageOnly = ::FindWindowExW(HWND_MESSAGE, messageOnly, nullptr, nullptr)))
        if (::GetWindowThreadProcessId(messageOnly, nullptr) == ::GetCurrentThreadId()) ++count;
    return count;
}

} // namespace

std::vector<Level> ReadLevels() {
    std::vector<Level> levels;
    HANDLE process = ::GetCurrentProcess();
    const DWORD gdi = ::GetGuiResources(process, GR_GDIOBJECTS);
    const DWORD user = ::GetGuiResources(process, GR_USEROBJECTS);
    if (gdi) levels.push_back({"GDI objects", gdi, "GetGuiResources"});
    if (user) levels.push_back({"USER objects", user, "GetGuiResources"});

    DWORD handles = 0;
    if (::GetProcessHandleCount(process, &handles) && handles)
        levels.push_back({"kernel handles", handles, "GetProcessHandleCount"});
    else
        levels.push_back({"kernel handles", ProbeKernelHandles(), "each handle value asked"});

    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                               sizeof memory) &&
        memory.PrivateUsage)
        levels.push_back(
            {kPrivateBytes, static_cast<long long>(memory.PrivateUsage), "GetProcessMemoryInfo"});
    else
        levels.push_back({kPrivateBytes, SumPrivateMemory(), "VirtualQuery"});

    const char* const counted = "live count of the program's owners";
    levels.push_back({"windows", CountThreadWindows(), "EnumThreadWindows"});
    levels.push_back({"bitmaps", UniqueHBITMAP::Live(), counted});
    levels.push_back({"memory DCs", UniqueHDC::Live(), counted});
    levels.push_back({"window DCs", WindowDC::Live(), counted});
    levels.push_back({"fonts", UniqueHFONT::Live(), counted});
    levels.push_back({"brushes", UniqueHBRUSH::Live(), counted});
    levels.push_back({"pens", UniqueHPEN::Live(), counted});
    levels.push_back({"regions", UniqueHRGN::Live(), counted});
    levels.push_back({"icons", UniqueHICON::Live(), counted});
    levels.push_back({"menus", UniqueHMENU::Live(), counted});
    levels.push_back({"owned windows", UniqueHWND::Live(), counted});
    levels.push_back({"registry keys", UniqueHKEY::Live(), counted});
    levels.push_back({"global memory", UniqueHGLOBAL::Live(), counted});
    levels.push_back({"streams", UniqueCom<IStream>::Live(), counted});
    levels.push_back({"GDI+ objects", TGdiplusBase::Live(), counted});
    return levels;
}

std::string CompareLevels(const std::vector<Level>& before, const std::vector<Level>& after,
                          long long allowedPrivateGrowth) {
    std::ostringstream out;
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
        const long long growth = after[i].value - before[i].value;
        const bool privateBytes = before[i].name == kPrivateBytes;
        if (privateBytes ? growth > allowedPrivateGrowth : growth != 0)
            out << before[i].name << ": " << before[i].value << " -> " << after[i].value << " ("
                << after[i].source << ")\n";
    }
    if (before.size() != after.size()) out << "the figures read differ in number\n";
    return out.str();
}

std::string DescribeLevels(const std::vector<Level>& levels) {
    std::ostringstream out;
    for (const Level& level : levels)
        out << "  " << level.name << " = " << level.value << " (" << level.source << ")\n";
    return out.str();
}

} // namespace plaxor::testing
