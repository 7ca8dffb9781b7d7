#pragma once
// A file built into a test program (see cmake/EmbedFiles.cmake).
#include <cstdint>
#include <string>
#include <vector>

namespace plaxor::test {

struct EmbeddedFile {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

} // namespace plaxor::test
