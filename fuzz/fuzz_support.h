// What every fuzz target needs around the reader it drives: a scratch
// folder of its own, file contents, and checks that stop the run.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

namespace scrivlet {

// One folder per fuzzing process, in memory where the system has a tmpfs
// there, removed when the process ends normally.
inline const std::filesystem::path &Folder()
{
    namespace fs = std::filesystem;
    static const fs::path folder = [] {
        std::error_code error;
        fs::path base = fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
        fs::path path = base / ("scrivlet-fuzz-" + std::to_string(getpid()));
        fs::create_directories(path);
        return path;
    }();
    static const bool removeAtExit = std::atexit([] { std::filesystem::remove_all(Folder()); }) == 0;
    (void)removeAtExit;
    return folder;
}

inline std::string PathOf(const char *name)
{
    return (Folder() / name).string();
}

inline std::string Contents(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Stops the run with the broken expectation: libFuzzer keeps the input.
inline void Check(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

} // namespace scrivlet
