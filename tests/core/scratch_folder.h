// A temporary folder for tests that read and write files, removed with its contents.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace scrivlet {

struct ScratchFolder {
    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("scrivlet-test-" + std::to_string(std::random_device{}()));

    ScratchFolder() { std::filesystem::create_directories(folder); }
    ~ScratchFolder() { std::filesystem::remove_all(folder); }

    std::string Path(const std::string &name) const { return (folder / name).string(); }
    std::string Put(const std::string &name, const std::string &bytes) const
    {
        std::ofstream(Path(name), std::ios::binary) << bytes;
        return Path(name);
    }
    static std::string Get(const std::string &path)
    {
        return std::string(std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {});
    }
    size_t Files() const
    {
        using Entries = std::filesystem::directory_iterator;
        return size_t(std::distance(Entries(folder), Entries()));
    }
};

} // namespace scrivlet
