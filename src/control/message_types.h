// The few Win32 integer type names that the control's portable engine shares
// with the Windows face and the public header. Under mingw they are declared
// exactly as <windows.h> declares them, so both headers can meet in one file;
// natively they get the same widths.
#pragma once

#include <cstdint>

#ifdef _WIN32
typedef unsigned long DWORD;  // 32 bits on Windows (LLP64)
#else
typedef uint32_t DWORD;
#endif
