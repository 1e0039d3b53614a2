// The tests' printer under Wine: "Scrivlet Test Printer", Wine's PostScript driver with a
// small PPD, the default printer, its port LPT1: written to a Unix file the test names.
#pragma once

#include <windows.h>

#include <string>

namespace scrivlet {

extern const char kTestPrinterName[];

bool InstallTestPrinter(std::string *why); // when missing; false (with the reason) when that fails
void DirectPrintingTo(const std::string &unixPath); // what is printed from now on
HDC CreateTestPrinterDC(); // delete it with DeleteDC
int PostScriptPageCount(const std::string &unixPath); // its "%%Page:" lines

} // namespace scrivlet
