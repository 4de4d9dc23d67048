// Artwork compiled into the program: every resources/*.png becomes an entry named after its
// file (without the extension). Names are matched without regard to case.
#pragma once

#include <cstddef>
#include <span>
#include <string>

struct TResourceEntry {
    const char* name;
    const unsigned char* data;
    std::size_t size;
};

// The table generated at build time from the resources folder.
std::span<const TResourceEntry> ResourceTable();

// The entry of that name, or null when the program has none.
const TResourceEntry* FindEmbeddedResource(const std::string& name);
