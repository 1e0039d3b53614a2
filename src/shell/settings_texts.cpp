#include "shell/settings_texts.h"

#include <cstring>

namespace scrivlet {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

bool ReadUnsignedNumber(const char *text, uint32_t *value)
{
    *value = 0;
    while (IsBlank(*text))
        ++text;
    if (*text < '0' || *text > '9')
        return false;
    uint64_t number = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        number = number * 10 + uint64_t(*text - '0');
        if (number > UINT32_MAX)
            return false;
    }
    while (IsBlank(*text))
        ++text;
    if (*text != '\0')
        return false;
    *value = uint32_t(number);
    return true;
}

std::string JoinExtensions(const FileType &type)
{
    std::string text;
    for (uint32_t i = 0; i < type.extensionCount; ++i) {
        if (i > 0)
            text += ',';
        text += type.extensions[i];
    }
    return text;
}

std::string JoinTabWidths(const FileType &type)
{
    std::string text;
    for (uint32_t i = 0; i < type.tabWidthCount; ++i) {
        if (i > 0)
            text += ',';
        text += std::to_string(type.tabWidths[i]);
    }
    return text;
}

void AppendTemplatePath(std::string &list, const char *path)
{
    if (!list.empty() && list.back() != ';')
        list += ';';
    list += path;
}

std::string JoinTemplates(const FileType &type)
{
    std::string text;
    for (uint32_t slot = 0; slot < kMaxTemplates; ++slot)
        AppendTemplatePath(text, type.templates[slot]);
    return text;
}

bool HasListPiece(const char *text)
{
    return text[std::strspn(text, ",;")] != '\0';
}

} // namespace scrivlet
