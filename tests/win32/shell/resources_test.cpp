// The program's compiled dialog templates against the controls its code names.
#include "shell_fixture.h"

#include "resources/resource.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace scrivlet {

namespace {

std::string ReadSource(const std::string &name)
{
    std::ostringstream text;
    text << std::ifstream(std::string(SCRIVLET_SOURCE_DIR) + "/" + name).rdbuf();
    return text.str();
}

BOOL CALLBACK CollectControls(HMODULE module, LPCSTR, LPSTR name, LONG_PTR controls)
{
    DLGPROC nothing = [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; };
    HWND dialog = CreateDialogParamA(module, name, g_app.mainWindow, nothing, 0);
    EXPECT_NE(dialog, nullptr) << "template " << reinterpret_cast<UINT_PTR>(name);
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        reinterpret_cast<std::set<int> *>(controls)->insert(GetDlgCtrlID(child));
    DestroyWindow(dialog);
    return TRUE;
}

} // namespace

// Every control of ours that the code of the dialogs and the shell names is in one of the program's dialog templates.
TEST_F(ShellTest, EveryControlTheCodeNamesIsInADialogTemplate)
{
    Start();
    std::set<int> controls;
    EnumResourceNamesA(GetModuleHandleA(nullptr), RT_DIALOG, CollectControls, LONG_PTR(&controls));
    std::map<std::string, int> numbers;
    const std::regex define("#define\\s+(IDC_\\w+)\\s+(\\d+)"), use("\\bIDC_\\w+");
    for (const char *header : {"resource.h", "settings_dialog_ids.h", "styles_dialog_ids.h", "small_dialog_ids.h"}) {
        std::string text = ReadSource(std::string("src/resources/") + header);
        for (std::sregex_iterator it(text.begin(), text.end(), define), end; it != end; ++it)
            numbers[(*it)[1]] = std::stoi((*it)[2]);
    }
    size_t named = 0;
    for (const char *part : {"dialogs", "shell"}) {
        for (const auto &entry : std::filesystem::directory_iterator(std::string("Z:") + SCRIVLET_SOURCE_DIR + "/src/" +
                                                                     part)) { // Z: is /
            std::string name = entry.path().filename().string(), file = std::string("src/") + part + "/" + name;
            if (name.rfind("win32_", 0) != 0 || entry.path().extension() != ".cpp")
                continue;
            std::string text = ReadSource(file);
            for (std::sregex_iterator it(text.begin(), text.end(), use), end; it != end; ++it) {
                auto number = numbers.find(it->str());
                named += number != numbers.end();
                EXPECT_TRUE(number == numbers.end() || controls.count(number->second)) << file << ": " << it->str();
            }
        }
    }
    EXPECT_GT(named, 80u);
}

} // namespace scrivlet
