// Writing a user's file so that the old one survives every failure. The
// bytes go to a new file in the same folder; only when every write and the
// close succeeded does that file take the old one's place. A document,
// "styles.dat" and "Scrivlet.ini" are all written this way, so a full disk,
// a lost network share or a read-only target never leaves a file cut short.
#pragma once

#include <cstddef>
#include <cstdint>

namespace scrivlet {

// The file operations a safe write rests on, as one record of functions so
// that tests can make any of them fail on purpose. The system's own
// (`kSystemFileOperations`, POSIX natively, Win32 in the Windows builds) are
// the default.
struct FileOperations {
    // Creates a new empty file in the folder of `target` under a name that
    // no file has, opened for writing, and puts its path into `temporary`
    // (capacity `size`). Null when it cannot.
    void *(*createBeside)(const char *target, char *temporary, size_t size);
    // Writes all `count` bytes: false when any of them was not written.
    bool (*write)(void *file, const void *bytes, size_t count);
    // Closes the file: false when what it held could not be made lasting.
    bool (*close)(void *file);
    // Puts the file `temporary` in the place of `target`, which may not
    // exist yet. False, with `target` as it was, when it cannot; a target
    // that is read-only or a folder is never replaced.
    bool (*replace)(const char *temporary, const char *target);
    void (*remove)(const char *path);
};

extern const FileOperations kSystemFileOperations;
extern FileOperations g_fileOperations; // what safe writes use; the system's unless a test changed it

// Why a safe write did not replace its target.
enum SafeWriteResult : int {
    kSafeWriteDone = 0,
    kSafeWriteNotCreated = 1,  // the new file could not be made
    kSafeWriteFailed = 2,      // a write or the close failed
    kSafeWriteNotReplaced = 3, // the target could not be replaced
};

enum : uint32_t {
    kSafeWritePathSize = 1024, // room for the new file's path
    kSafeWriteBufferSize = 16384,
};

// One safe write in progress. Writes are collected in `buffer` and go to the
// file when it is full; the first failure is kept and later writes do nothing.
struct SafeWrite {
    const char *target;                    // the file to replace; not owned
    void *file;                            // the new file, null when it could not be made
    int result;                            // kSafeWriteDone while all went well
    uint32_t buffered;                     // bytes waiting in `buffer`
    char temporary[kSafeWritePathSize];    // the new file's path
    char buffer[kSafeWriteBufferSize];
};

// Starts writing a new version of `target`. False (result
// kSafeWriteNotCreated) when the new file could not be made; finishing the
// write is still required and harmless.
bool BeginSafeWrite(SafeWrite *write, const char *target);

// Adds bytes to the new file.
void SafeWriteBytes(SafeWrite *write, const void *bytes, size_t count);

// Adds a NUL-terminated text, or a text formatted as by printf; a text of
// any length is written whole.
void SafeWriteText(SafeWrite *write, const char *text);
void SafeWriteFormatted(SafeWrite *write, const char *format, ...)
#if defined(__clang__)
    __attribute__((format(printf, 2, 3)))
#elif defined(__GNUC__)
    __attribute__((format(gnu_printf, 2, 3)))
#endif
    ;

// Gives up the write: finishing it then leaves the target as it was.
void AbandonSafeWrite(SafeWrite *write);

// Ends the write: flushes, closes and, when all went well, replaces the
// target. Otherwise the new file is removed and the target is untouched.
// Returns a SafeWriteResult.
int FinishSafeWrite(SafeWrite *write);

} // namespace scrivlet
