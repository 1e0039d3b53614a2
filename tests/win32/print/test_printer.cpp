#include "test_printer.h"

#include <winspool.h>

#include <fstream>

namespace scrivlet {

const char kTestPrinterName[] = "Scrivlet Test Printer";

namespace {

bool Fail(std::string *why, const std::string &what)
{
    *why = what + " failed with error " + std::to_string(GetLastError());
    return false;
}

char *Text(const char *text) { return const_cast<char *>(text); }

} // namespace

bool InstallTestPrinter(std::string *why)
{
    char directory[MAX_PATH];
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE *>(directory), sizeof directory, &needed))
        return Fail(why, "GetPrinterDriverDirectoryA");
    if (!CopyFileA(SCRIVLET_SOURCE_DIR "/tests/win32/print/test-printer.ppd",
                   (std::string(directory) + "\\scrivlet-test.ppd").c_str(), FALSE))
        return Fail(why, "copying the PPD");
    DRIVER_INFO_3A driver = {};
    driver.cVersion = 3;
    driver.pName = Text("Wine PostScript Driver");
    driver.pDriverPath = driver.pConfigFile = Text("wineps.drv");
    driver.pDataFile = Text("scrivlet-test.ppd");
    driver.pDefaultDataType = Text("RAW");
    if (!AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE *>(&driver)) &&
        GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED)
        return Fail(why, "AddPrinterDriverA");
    HANDLE printer = nullptr;
    if (!OpenPrinterA(Text(kTestPrinterName), &printer, nullptr)) {
        PRINTER_INFO_2A info = {};
        info.pPrinterName = Text(kTestPrinterName);
        info.pPortName = Text("LPT1:");
        info.pDriverName = driver.pName;
        info.pPrintProcessor = Text("WinPrint");
        info.pDatatype = Text("RAW");
        info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
        if ((printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE *>(&info))) == nullptr)
            return Fail(why, "AddPrinterA");
    }
    ClosePrinter(printer);
    return SetDefaultPrinterA(kTestPrinterName) || Fail(why, "SetDefaultPrinterA");
}

void DirectPrintingTo(const std::string &unixPath)
{
    RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\Printing\\Spooler", "LPT1:", REG_SZ, unixPath.c_str(),
                    DWORD(unixPath.size() + 1));
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
        pages += line.rfind("%%Page:", 0) == 0;
    return file.eof() || pages > 0 ? pages : -1;
}

} // namespace scrivlet
