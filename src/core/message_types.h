// The few Win32 type names that the control's portable engine shares with
// the Windows face and the public header, declared without <windows.h>.
// Under mingw they are declared exactly as <windows.h> declares them, so
// both may meet in one file; natively they get the same widths.
#pragma once

#include <cstdint>

#define ADVANCEDEDIT_PORTABLE_TYPES 1

#ifdef _WIN32
typedef unsigned long DWORD; // 32 bits on Windows (LLP64)
#ifdef _WIN64
typedef unsigned long long DWORD_PTR;
#else
typedef unsigned long DWORD_PTR;
#endif
#ifndef CALLBACK
#define CALLBACK __stdcall
#endif
#else
typedef uint32_t DWORD;
typedef uintptr_t DWORD_PTR;
#ifndef CALLBACK
#define CALLBACK
#endif
#endif
typedef unsigned char BYTE;
typedef BYTE *LPBYTE;
typedef struct HDC__ *HDC; // a device context; the engine only passes it on

// Message parameters and results with the widths of WPARAM, LPARAM and
// LRESULT; pointers travel in LParam as they do through SendMessageA.
typedef uintptr_t WParam;
typedef intptr_t LParam;
typedef intptr_t LResult;

#include "advancededit.h"
