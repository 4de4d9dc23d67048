#include "support/TemporaryFolder.h"

#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string Utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace

TemporaryFolder::TemporaryFolder() {
    std::random_device random;
    // create_directory answers false when the name is taken: then another name is tried.
    do {
        path_ = fs::temp_directory_path() / ("vesperon-test-" + std::to_string(random()));
    } while (!fs::create_directory(path_));
    fs::permissions(path_, fs::perms::owner_all);
    root_ = Utf8(path_);
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

fs::path TemporaryFolder::Full(const std::string& name) const {
    fs::path relative(std::u8string(name.begin(), name.end()));
    return path_ / relative.make_preferred();
}

std::string TemporaryFolder::Path(const std::string& name) const {
    return Utf8(Full(name));
}

std::size_t TemporaryFolder::Entries(const std::string& subfolder) const {
    const fs::directory_iterator entries(Full(subfolder));
    return std::size_t(std::distance(entries, fs::directory_iterator()));
}

std::string TemporaryFolder::Read(const std::string& name) const {
    std::ifstream in(Full(name), std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

void TemporaryFolder::Write(const std::string& name, const std::string& content) const {
    std::ofstream(Full(name), std::ios::binary | std::ios::trunc) << content;
}
