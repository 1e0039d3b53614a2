#include "test_printer.h"

#include <winspool.h>

#include <fstream>

namespace scrivlet {

const char kTestPrinterName[] = "Scrivlet Test Printer";

namespace {

const char kDriverName[] = "Wine PostScript Driver";
const char kPpdName[] = "scrivlet-test.ppd";

bool Fail(std::string *why, const std::string &what)
{
    *why = what + " failed with error " + std::to_string(GetLastError());
    return false;
}

} // namespace

bool InstallTestPrinter(std::string *why)
{
    char directory[MAX_PATH];
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE *>(directory), sizeof directory,
                                    &needed))
        return Fail(why, "GetPrinterDriverDirectoryA");
    std::string ppd = std::string(directory) + "\\" + kPpdName;
    if (!CopyFileA(SCRIVLET_SOURCE_DIR "/tests/win32/print/test-printer.ppd", ppd.c_str(), FALSE))
        return Fail(why, "copying the PPD");

    DRIVER_INFO_3A driver = {};
    driver.cVersion = 3;
    driver.pName = const_cast<char *>(kDriverName);
    driver.pDriverPath = const_cast<char *>("wineps.drv");
    driver.pDataFile = const_cast<char *>(kPpdName);
    driver.pConfigFile = const_cast<char *>("wineps.drv");
    driver.pDefaultDataType = const_cast<char *>("RAW");
    if (!AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE *>(&driver)) &&
        GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED)
        return Fail(why, "AddPrinterDriverA");

    HANDLE printer = nullptr;
    if (OpenPrinterA(const_cast<char *>(kTestPrinterName), &printer, nullptr)) {
        ClosePrinter(printer);
    } else {
        PRINTER_INFO_2A info = {};
        info.pPrinterName = const_cast<char *>(kTestPrinterName);
        info.pPortName = const_cast<char *>("LPT1:");
        info.pDriverName = const_cast<char *>(kDriverName);
        info.pPrintProcessor = const_cast<char *>("WinPrint");
        info.pDatatype = const_cast<char *>("RAW");
        info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
        printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE *>(&info));
        if (printer == nullptr)
            return Fail(why, "AddPrinterA");
        ClosePrinter(printer);
    }
    if (!SetDefaultPrinterA(kTestPrinterName))
        return Fail(why, "SetDefaultPrinterA");
    return true;
}

void DirectPrintingTo(const std::string &unixPath)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Printing\\Spooler", 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "LPT1:", 0, REG_SZ, reinterpret_cast<const BYTE *>(unixPath.c_str()),
                   DWORD(unixPath.size() + 1));
    RegCloseKey(key);
}

HDC CreateTestPrinterDC()
{
    return CreateDCA("WINSPOOL", kTestPrinterName, nullptr, nullptr);
}

int PostScriptPageCount(const std::string &unixPath)
{
    std::ifstream file(unixPath, std::ios::binary);
    int pages = 0;
    for (std::string line; std::getline(file, line);)
        pages += line.rfind("%%Page:", 0) == 0 ? 1 : 0;
    return file.eof() || pages > 0 ? pages : -1;
}

} // namespace scrivlet
