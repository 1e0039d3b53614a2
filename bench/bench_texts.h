// The texts the benchmarks work on, the same in every benchmark program
// (natively and under Wine), so that their figures compare.
#pragma once

#include <cstdint>
#include <string>

namespace scrivlet {

// Source-code-like lines ending in `lineEnd`, exactly `size` bytes (the last
// line cut short).
inline std::string SourceLines(uint32_t size, const char *lineEnd)
{
    const std::string line = std::string("\tint total = values[index] + offset; // running sum") + lineEnd;
    std::string text;
    text.reserve(size + line.size());
    while (text.size() < size)
        text += line;
    text.resize(size);
    return text;
}

// Prose lines ending in `lineEnd` with "cat" at `matches` evenly spaced
// places, about `size` bytes.
inline std::string TextWithMatches(size_t size, size_t matches, const char *lineEnd = "\n")
{
    const std::string line = std::string("the quick brown fox jumps over the lazy dog") + lineEnd;
    std::string text;
    text.reserve(size + 64);
    size_t gap = matches > 0 ? size / matches : size;
    size_t next = gap / 2;
    while (text.size() < size) {
        if (matches > 0 && text.size() >= next) {
            text += "cat ";
            next += gap;
            --matches;
        }
        text += line;
    }
    return text;
}

// `lines` lines of `lineSize` bytes of minified JavaScript: keywords,
// strings with escapes, template literals, block comments and divisions.
inline std::string MinifiedLines(uint32_t lineSize, int lines)
{
    static const char *const pieces[] = {
        "function(e,t){var n=this._cache[e];",
        "if(n===void 0){n=t.call(this,e);this._cache[e]=n}",
        "return n.length>0?n:\"empty \\\"value\\\"\"}",
        "for(var i=0;i<a.length;i++){s+=a[i]/2|0}",
        "/* keep */",
        "case 1:r='single \\'q\\'';break;",
        "const m=`template ${x} text`;",
        "let o={key:\"v\",other:null,flag:true,n:NaN};",
        "while(k--)u.push(new Date(k));",
        "typeof window!==\"undefined\"&&(window.app=o);",
    };
    std::string line;
    for (size_t i = 0; line.size() < lineSize; ++i)
        line += pieces[(i * 7) % (sizeof pieces / sizeof pieces[0])];
    line.resize(lineSize);
    std::string text;
    for (int i = 0; i < lines; ++i)
        text += line + (i + 1 < lines ? "\n" : "");
    return text;
}

} // namespace scrivlet
