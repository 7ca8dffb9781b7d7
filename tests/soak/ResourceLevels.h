#pragma once
// What the process holds, read the way Windows reports it where Wine reports it too, and
// counted otherwise: Wine answers GetGuiResources and GetProcessHandleCount with 0 and leaves
// PrivateUsage empty, so kernel handles are found by asking each handle value, private bytes
// are summed from the address space, windows are enumerated, and GDI and USER objects are the
// live counts of the program's own owners of them.
#include <windows.h>
#include <string>
#include <vector>

namespace plaxor::testing {

struct Level {
    std::string name;
    long long value;
    std::string source; // how it was obtained
};

// Every figure, in a fixed order.
std::vector<Level> ReadLevels();

// The figures that differ (by more than allowedPrivateGrowth for private bytes), one per line;
// empty when everything came back to its level.
std::string CompareLevels(const std::vector<Level>& before, const std::vector<Level>& after,
                          long long allowedPrivateGrowth);

std::string DescribeLevels(const std::vector<Level>& levels);

} // namespace plaxor::testing
