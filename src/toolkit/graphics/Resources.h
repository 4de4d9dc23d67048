// Artwork compiled into the program: every resources/*.png is decoded at build time into an
// entry named after its file (without the extension). Names are matched without regard to case.
#pragma once

#include <cstdint>
#include <span>
#include <string>

struct TResourceEntry {
    const char* name;
    int width;
    int height;
    const std::uint32_t* pixels; // ARGB, alpha in the top byte, row by row
};

// The table generated at build time from the resources folder.
std::span<const TResourceEntry> ResourceTable();

// The entry of that name, or null when the program has none.
const TResourceEntry* FindEmbeddedResource(const std::string& name);
