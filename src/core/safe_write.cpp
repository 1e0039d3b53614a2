#include "core/safe_write.h"

#include "core/allocation.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace scrivlet {

FileOperations g_fileOperations = kSystemFileOperations;

namespace {

void Fail(SafeWrite *write, int result)
{
    if (write->result == kSafeWriteDone)
        write->result = result;
}

// Hands the collected bytes to the file.
void Flush(SafeWrite *write)
{
    if (write->buffered > 0 && write->result == kSafeWriteDone &&
        !g_fileOperations.write(write->file, write->buffer, write->buffered))
        Fail(write, kSafeWriteFailed);
    write->buffered = 0;
}

} // namespace

bool BeginSafeWrite(SafeWrite *write, const char *target)
{
    write->target = target;
    write->result = kSafeWriteDone;
    write->buffered = 0;
    write->temporary[0] = '\0';
    write->file = g_fileOperations.createBeside(target, write->temporary, sizeof write->temporary);
    if (write->file == nullptr)
        Fail(write, kSafeWriteNotCreated);
    return write->file != nullptr;
}

void SafeWriteBytes(SafeWrite *write, const void *bytes, size_t count)
{
    if (write->result != kSafeWriteDone)
        return;
    if (count >= kSafeWriteBufferSize - write->buffered) {
        Flush(write);
        if (count >= kSafeWriteBufferSize) { // a large block goes straight to the file
            if (write->result == kSafeWriteDone && count > 0 && !g_fileOperations.write(write->file, bytes, count))
                Fail(write, kSafeWriteFailed);
            return;
        }
    }
    std::memcpy(write->buffer + write->buffered, bytes, count);
    write->buffered += uint32_t(count);
}

void SafeWriteText(SafeWrite *write, const char *text)
{
    SafeWriteBytes(write, text, std::strlen(text));
}

void SafeWriteFormatted(SafeWrite *write, const char *format, ...)
{
    char shortText[256];
    va_list arguments;
    va_start(arguments, format);
    va_list again;
    va_copy(again, arguments);
    int length = std::vsnprintf(shortText, sizeof shortText, format, arguments);
    va_end(arguments);
    if (length < 0) {
        Fail(write, kSafeWriteFailed);
    } else if (size_t(length) < sizeof shortText) {
        SafeWriteBytes(write, shortText, size_t(length));
    } else {
        char *longText = static_cast<char *>(EngineAllocate(size_t(length) + 1));
        if (longText == nullptr) {
            Fail(write, kSafeWriteFailed);
        } else {
            std::vsnprintf(longText, size_t(length) + 1, format, again);
            SafeWriteBytes(write, longText, size_t(length));
            EngineFree(longText);
        }
    }
    va_end(again);
}

void AbandonSafeWrite(SafeWrite *write)
{
    Fail(write, kSafeWriteFailed);
}

int FinishSafeWrite(SafeWrite *write)
{
    if (write->file != nullptr) {
        Flush(write);
        if (!g_fileOperations.close(write->file))
            Fail(write, kSafeWriteFailed);
        write->file = nullptr;
        if (write->result == kSafeWriteDone && !g_fileOperations.replace(write->temporary, write->target))
            Fail(write, kSafeWriteNotReplaced);
        if (write->result != kSafeWriteDone)
            g_fileOperations.remove(write->temporary);
    }
    return write->result;
}

} // namespace scrivlet
