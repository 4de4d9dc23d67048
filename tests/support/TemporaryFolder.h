// A fresh folder of the test's own under the system's temporary folder, open to its owner
// only, and removed with everything in it when the test ends.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    // The folder's path (UTF-8).
    const std::string& Root() const { return root_; }
    // The path of a name in the folder; "a/b" names a file in a subfolder.
    std::string Path(const std::string& name) const;
    // How many entries the folder, or a subfolder of it, holds.
    std::size_t Entries(const std::string& subfolder = "") const;
    // The whole content of a file in the folder ("" when it cannot be read).
    std::string Read(const std::string& name) const;
    // Writes a file in the folder, replacing what it held.
    void Write(const std::string& name, const std::string& content) const;

private:
    std::filesystem::path Full(const std::string& name) const;

    std::filesystem::path path_;
    std::string root_;
};
