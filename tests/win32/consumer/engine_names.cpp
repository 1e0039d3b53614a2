// The application's own functions, named and typed as the control's internal ones: the link fails
// if the library puts such a name into the global namespace.
#include <cstdint>

struct TextDocument;
struct ControlRecord;
struct ControlPlatform {
    int unused;
};

int InsertBytes(TextDocument *, uint32_t, const char *, uint32_t)
{
    return 11;
}

ControlRecord *CreateControl(uint32_t, uint32_t, const ControlPlatform &)
{
    return nullptr;
}

int32_t FindInRange(const char *, uint32_t, const char *, uint32_t, uint32_t)
{
    return 33;
}

// For the C program: 44 when the application's own three were called.
extern "C" int ApplicationNamesAnswer(void)
{
    const ControlPlatform platform = {0};
    return InsertBytes(nullptr, 0, nullptr, 0) + FindInRange(nullptr, 0, nullptr, 0, 0) +
           (CreateControl(0, 0, platform) == nullptr ? 0 : 1000);
}
