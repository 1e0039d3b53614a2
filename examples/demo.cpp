// scrivlet-demo: the AdvancedEdit control alone in a plain window, showing a
// sample C source in the shipped C/C++ style, for people (and
// scripts/demo-screenshot) to look at. It uses the control as any
// application would: the public header and the library, nothing else.
#include <windows.h>

#include "advancededit.h"

#include <cstring>

namespace {

const char kWindowClass[] = "ScrivletDemo";
const char kWindowTitle[] = "Scrivlet demo";
constexpr UINT kControlId = 1;
const char kStyleName[] = "C/C++"; // as the shipped styles.dat names it

// The sample: comments over several lines, a preprocessor line, strings,
// characters, keywords and tabs.
const char kSample[] =
    "/* scrivlet-demo: a small C program in the shipped C/C++ style.\r\n"
    " * Comments, strings, keywords and the preprocessor each have\r\n"
    " * their own colour. */\r\n"
    "#include <stdio.h>\r\n"
    "\r\n"
    "struct point {\r\n"
    "\tint x;\t\t// across\r\n"
    "\tint y;\t\t// down\r\n"
    "};\r\n"
    "\r\n"
    "static int distance(const struct point *a, const struct point *b)\r\n"
    "{\r\n"
    "\tint dx = a->x - b->x;\r\n"
    "\tint dy = a->y - b->y;\r\n"
    "\treturn dx * dx + dy * dy; /* squared */\r\n"
    "}\r\n"
    "\r\n"
    "int main(void)\r\n"
    "{\r\n"
    "\tstruct point p = {3, 4}, origin = {0, 0};\r\n"
    "\tchar unit = 'u';\r\n"
    "\tfor (int i = 0; i < 3; i++)\r\n"
    "\t\tprintf(\"step %d: %d %c\\n\", i, distance(&p, &origin), unit);\r\n"
    "\tif (p.x > 0 && p.y > 0)\r\n"
    "\t\treturn 0;\r\n"
    "\telse\r\n"
    "\t\treturn 1;\r\n"
    "}\r\n";

HWND editControl = nullptr; // the control that fills the main window
bool startEmpty = false;      // --empty: no sample text, for typing into
char savePath[MAX_PATH] = ""; // --save PATH: the text is written there on closing

// Hands the sample to AEM_STREAMIN in one piece; the cookie is the read position.
DWORD CALLBACK ReadSample(DWORD_PTR cookie, LPBYTE buffer, DWORD count, DWORD *done)
{
    DWORD *position = reinterpret_cast<DWORD *>(cookie);
    DWORD left = DWORD(sizeof kSample - 1) - *position;
    DWORD take = left < count ? left : count;
    std::memcpy(buffer, kSample + *position, take);
    *position += take;
    *done = take;
    return 0;
}

// The folder of the program: styles.dat is copied there by the build.
void EnterProgramFolder()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    char *slash = std::strrchr(path, '\\');
    if (slash != nullptr) {
        *slash = '\0';
        SetCurrentDirectoryA(path);
    }
}

// WM_CREATE: the control, created first in the process, loads styles.dat
// from the current directory; then the sample and its style.
LRESULT OnCreate(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    editControl = CreateAdvancedEdit(WS_EX_CLIENTEDGE,
                                     WS_CHILD | WS_VISIBLE | AES_AUTOHSCROLL | AES_AUTOVSCROLL |
                                         AES_LOADSTYLES,
                                     0, 0, client.right, client.bottom, window, kControlId);
    if (editControl == nullptr)
        return -1;
    SendMessageA(editControl, AEM_SETLIMITTEXT, 0, 0xFFFFFFFF);
    LRESULT style = SendMessageA(editControl, AEM_FINDSTYLE, reinterpret_cast<WPARAM>(kStyleName), 0);
    SendMessageA(editControl, AEM_SETSTYLE, 0, style);
    if (startEmpty)
        return 0;
    DWORD position = 0;
    AESTREAM stream = {reinterpret_cast<DWORD_PTR>(&position), 0, ReadSample};
    SendMessageA(editControl, AEM_STREAMIN, 0, reinterpret_cast<LPARAM>(&stream));
    // One word selected, to show the selection colours over a keyword.
    const char *word = std::strstr(kSample, "return dx");
    if (word != nullptr) {
        DWORD start = 0;
        for (const char *c = kSample; c < word; ++c)
            start += *c == '\r' ? 0 : 1; // the control keeps '\n' only
        AERANGE range = {start, start + 3};
        SendMessageA(editControl, AEM_SETSEL, 1, reinterpret_cast<LPARAM>(&range));
    }
    return 0;
}

// Hands the control's text to the file that the cookie names.
DWORD CALLBACK WriteText(DWORD_PTR cookie, LPBYTE buffer, DWORD count, DWORD *done)
{
    return WriteFile(reinterpret_cast<HANDLE>(cookie), buffer, count, done, nullptr) ? 0 : 1;
}

// WM_CLOSE: with --save, the text goes to the file first (with CR LF line
// ends, as the control hands it out), so that a test can read what was typed.
void OnClose(HWND window)
{
    if (savePath[0] != '\0') {
        HANDLE file = CreateFileA(savePath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            AESTREAM stream = {reinterpret_cast<DWORD_PTR>(file), 0, WriteText};
            SendMessageA(editControl, AEM_STREAMOUT, 0, reinterpret_cast<LPARAM>(&stream));
            CloseHandle(file);
        }
    }
    DestroyWindow(window);
}

// The command line: --empty and --save PATH, in any order.
void ReadCommandLine(const char *line)
{
    const char *empty = std::strstr(line, "--empty");
    startEmpty = empty != nullptr;
    const char *save = std::strstr(line, "--save ");
    if (save == nullptr)
        return;
    save += 7;
    size_t length = std::strcspn(save, " ");
    if (length < sizeof savePath) {
        std::memcpy(savePath, save, length);
        savePath[length] = '\0';
    }
}

// WM_SIZE: the control fills the client area.
void OnSize(int width, int height)
{
    if (editControl != nullptr)
        MoveWindow(editControl, 0, 0, width, height, TRUE);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(window);
    case WM_SIZE:
        OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_SETFOCUS:
        if (editControl != nullptr)
            SetFocus(editControl);
        return 0;
    case WM_CLOSE:
        OnClose(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool RegisterClasses(HINSTANCE instance)
{
    if (RegisterAdvancedEditClass(instance) != 1)
        return false;
    WNDCLASSA windowClass;
    ZeroMemory(&windowClass, sizeof windowClass);
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassA(&windowClass) != 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    ReadCommandLine(commandLine);
    EnterProgramFolder();
    if (!RegisterClasses(instance))
        return 1;
    HWND window = CreateWindowExA(0, kWindowClass, kWindowTitle, WS_OVERLAPPEDWINDOW, 0, 0, 640,
                                  480, nullptr, nullptr, instance, nullptr);
    if (window == nullptr)
        return 1;
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    SetFocus(editControl);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return int(message.wParam);
}
