// The Styles dialogs, modalDialogs as the program opens them and driven with
// messages: the style list and when styles.dat is written, the lists of the
// Edit Style dialog, and what the class, range and symbol dialogs hand the
// engine. The engine is checked through the edit control's style messages.
#include "shell_fixture.h"

#include "core/allocation.h"
#include "dialogs/win32_styles_dialogs.h"
#include "resources/resource.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace scrivlet {

namespace {

class StylesDialogs;
StylesDialogs *test = nullptr;

// ---------------------------------------------------------------------------
// Controls

// Selects as a user does: the list tells its dialog.
void SelectEntry(HWND dialog, int list, int index, WORD notification = LBN_SELCHANGE)
{
    SendDlgItemMessageA(dialog, list, LB_SETCURSEL, WPARAM(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(list, LBN_SELCHANGE), LPARAM(GetDlgItem(dialog, list)));
    if (notification != LBN_SELCHANGE)
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(list, notification), LPARAM(GetDlgItem(dialog, list)));
}

// The texts of a list box, or of a combo box with CB_GETCOUNT and CB_GETLBTEXT.
std::vector<std::string> Entries(HWND dialog, int list, UINT count = LB_GETCOUNT, UINT get = LB_GETTEXT)
{
    std::vector<std::string> entries(size_t(SendDlgItemMessageA(dialog, list, count, 0, 0)));
    for (size_t i = 0; i < entries.size(); ++i) {
        char text[256] = "";
        SendDlgItemMessageA(dialog, list, get, WPARAM(i), reinterpret_cast<LPARAM>(text));
        entries[i] = text;
    }
    return entries;
}

std::vector<std::string> ComboEntries(HWND dialog, int box)
{
    return Entries(dialog, box, CB_GETCOUNT, CB_GETLBTEXT);
}

std::vector<DWORD> EntryData(HWND dialog, int list)
{
    std::vector<DWORD> data(size_t(SendDlgItemMessageA(dialog, list, LB_GETCOUNT, 0, 0)));
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = DWORD(SendDlgItemMessageA(dialog, list, LB_GETITEMDATA, WPARAM(i), 0));
    return data;
}

int IndexOfData(HWND dialog, int list, DWORD data)
{
    std::vector<DWORD> all = EntryData(dialog, list);
    auto found = std::find(all.begin(), all.end(), data);
    return found == all.end() ? -1 : int(found - all.begin());
}

int Selected(HWND dialog, int list)
{
    return int(SendDlgItemMessageA(dialog, list, LB_GETCURSEL, 0, 0));
}

LRESULT ComboSelection(HWND dialog, int box)
{
    return SendDlgItemMessageA(dialog, box, CB_GETCURSEL, 0, 0);
}

DWORD ComboSelectedData(HWND dialog, int box)
{
    return DWORD(SendDlgItemMessageA(dialog, box, CB_GETITEMDATA, WPARAM(ComboSelection(dialog, box)), 0));
}

std::string Text(HWND dialog, int control = 0)
{
    char text[512] = "";
    GetWindowTextA(control != 0 ? GetDlgItem(dialog, control) : dialog, text, sizeof text);
    return text;
}

bool Shown(HWND dialog, int control)
{
    return IsWindowVisible(GetDlgItem(dialog, control)) != FALSE;
}

std::string ControlErrorText(DWORD code)
{
    char text[AE_ERRORTEXTSIZE];
    GetControlErrorText(code, text);
    return text;
}

// The edit control waits for a repaint of its whole client area.
bool WholeEditPending()
{
    RECT pending, client;
    GetClientRect(g_app.editControl, &client);
    return GetUpdateRect(g_app.editControl, &pending, FALSE) && EqualRect(&pending, &client);
}

void ForgetPendingRepaint()
{
    ValidateRect(g_app.editControl, nullptr);
}

const char kInformation[] = "Scrivlet - Information";
const char kError[] = "Scrivlet - Error";

// ---------------------------------------------------------------------------
// The fixture

BOOL RecordColourChooser(CHOOSECOLORA *record);

class StylesDialogs : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        test = this;
        g_stylesDialogs = {}; // as a new process finds it
        answerColour = g_seams.chooseColor;
        g_seams.chooseColor = RecordColourChooser;
    }

    void TearDown() override
    {
        FailNthAllocation(0);
        g_stylesCopyAllocator = std::malloc;
        ShellTest::TearDown();
        test = nullptr;
    }

public:
    std::vector<std::vector<COLORREF>> colourSlots; // the chooser's custom colours, per chooser shown
    BOOL (*answerColour)(CHOOSECOLORA *record) = nullptr;

protected:
    // The engine, through the edit control.
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return SendMessageA(g_app.editControl, message, wParam, lParam);
    }
    std::vector<AESTYLEINFO> Styles() const
    {
        std::vector<AESTYLEINFO> styles(size_t(Send(AEM_GETSTYLECOUNT)));
        if (!styles.empty())
            Send(AEM_GETSTYLES, styles.size(), reinterpret_cast<LPARAM>(styles.data()));
        return styles;
    }
    DWORD StyleNamed(const char *name) const { return DWORD(Send(AEM_FINDSTYLE, reinterpret_cast<WPARAM>(name))); }
    DWORD NewStyle(const char *name) const { return DWORD(Send(AEM_ADDSTYLE, reinterpret_cast<WPARAM>(name))); }
    template <typename Record> DWORD AddItem(DWORD style, DWORD kind, Record record) const
    {
        AESTYLEREF ref = {style, 0, kind};
        return DWORD(Send(AEM_ADDSTYLEITEM, reinterpret_cast<WPARAM>(&ref), reinterpret_cast<LPARAM>(&record)));
    }
    DWORD AddClass(DWORD style, const char *name, COLORREF colour = 0, int caseSensitive = 1,
                   unsigned char autocase = 0) const
    {
        AESTYLECLASS record = {0, {}, caseSensitive, autocase, colour};
        std::strcpy(record.name, name);
        return AddItem(style, AESK_CLASS, record);
    }
    DWORD AddRange(DWORD style, const char *start, const char *end, DWORD cls) const
    {
        AESTYLERANGE record = {0, {}, {}, 0, 0, cls};
        std::strcpy(record.startText, start);
        std::strcpy(record.endText, end);
        return AddItem(style, AESK_RANGE, record);
    }
    DWORD AddSymbol(DWORD style, const char *text, DWORD cls) const
    {
        AESTYLESYMBOL record = {0, {}, cls};
        std::strcpy(record.text, text);
        return AddItem(style, AESK_SYMBOL, record);
    }
    template <typename Record> std::vector<Record> Items(UINT message, DWORD style) const
    {
        AESTYLEREF all = {style, 0, 0};
        std::vector<Record> items(size_t(Send(message, reinterpret_cast<WPARAM>(&all))));
        if (!items.empty())
            Send(message, reinterpret_cast<WPARAM>(&all), reinterpret_cast<LPARAM>(items.data()));
        return items;
    }
    std::vector<AESTYLECLASS> Classes(DWORD style) const { return Items<AESTYLECLASS>(AEM_GETSTYLECLASSES, style); }
    std::vector<AESTYLERANGE> Ranges(DWORD style) const { return Items<AESTYLERANGE>(AEM_GETSTYLERANGES, style); }
    std::vector<AESTYLESYMBOL> Symbols(DWORD style) const { return Items<AESTYLESYMBOL>(AEM_GETSTYLESYMBOLS, style); }

    // Opens the Styles dialog as the program does.
    INT_PTR OpenStyles(std::function<void(HWND)> driver)
    {
        dialogDriver = std::move(driver);
        return g_seams.dialogBox(g_app.instance, MAKEINTRESOURCEA(IDD_STYLES), g_app.mainWindow, StylesDialogProc,
                                 reinterpret_cast<LPARAM>(&g_app));
    }
    // Opens the Edit Style dialog of a style from the Styles dialog, which
    // is left with Close afterwards; the Edit Style dialog's result.
    INT_PTR EditStyle(DWORD style, std::function<void(HWND)> driver)
    {
        size_t first = modalDialogs.size();
        OpenStyles([&](HWND styles) {
            SelectEntry(styles, IDC_STYLES_LIST, IndexOfData(styles, IDC_STYLES_LIST, style));
            dialogDriver = driver;
            Click(styles, IDC_STYLES_EDIT);
            Click(styles, IDC_STYLES_CLOSE);
        });
        EXPECT_GE(modalDialogs.size(), first + 2);
        return modalDialogs.size() >= first + 2 ? modalDialogs[first + 1].result : -1;
    }
    // The one message box shown since the last look, which is then forgotten.
    void ExpectBox(const std::string &text, const char *title, UINT type)
    {
        ASSERT_EQ(boxes.size(), 1u) << text;
        EXPECT_EQ(boxes[0].text, text);
        EXPECT_EQ(boxes[0].title, title);
        EXPECT_EQ(boxes[0].type, type);
        boxes.clear();
    }
    std::vector<int> TemplatesOpened(size_t first = 0) const
    {
        std::vector<int> ids;
        for (size_t i = first; i < modalDialogs.size(); ++i)
            ids.push_back(modalDialogs[i].templateId);
        return ids;
    }
};

BOOL RecordColourChooser(CHOOSECOLORA *record)
{
    test->colourSlots.emplace_back(record->lpCustColors, record->lpCustColors + 16);
    return test->answerColour(record);
}

// ---------------------------------------------------------------------------
// The Styles dialog

TEST_F(StylesDialogs, ListsEveryStyleByNameAndCloseWritesNothingWhenNothingChanged)
{
    Start();
    WriteFile("styles.dat", "untouched"); // the styles were read at start
    std::vector<AESTYLEINFO> styles = Styles();
    ASSERT_GT(styles.size(), 2u);
    INT_PTR result = OpenStyles([&](HWND dialog) {
        std::vector<std::string> entries = Entries(dialog, IDC_STYLES_LIST);
        ASSERT_EQ(entries.size(), styles.size());
        for (const AESTYLEINFO &style : styles)
            EXPECT_EQ(entries.at(size_t(IndexOfData(dialog, IDC_STYLES_LIST, style.handle))), style.name);
        EXPECT_TRUE(std::is_sorted(entries.begin(), entries.end(), [](const std::string &a, const std::string &b) {
            return lstrcmpiA(a.c_str(), b.c_str()) < 0;
        }));
        EXPECT_EQ(Selected(dialog, IDC_STYLES_LIST), LB_ERR);
        EXPECT_FALSE(Enabled(dialog, IDC_STYLES_EDIT));
        EXPECT_FALSE(Enabled(dialog, IDC_STYLES_DELETE));
        SelectEntry(dialog, IDC_STYLES_LIST, 1);
        EXPECT_TRUE(Enabled(dialog, IDC_STYLES_EDIT)) << "selecting a style enables Edit and Delete";
        EXPECT_TRUE(Enabled(dialog, IDC_STYLES_DELETE));
        Click(dialog, IDC_STYLES_CLOSE);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadFile("styles.dat"), "untouched");

    result = OpenStyles([](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(result, 0) << "Esc with nothing changed asks nothing";
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(ReadFile("styles.dat"), "untouched");
}

TEST_F(StylesDialogs, AddedStylesAreSelectedKeptWithDuplicateNamesAndSavedOnClose)
{
    Start();
    size_t before = Styles().size();
    std::string longName(100, 'n');
    INT_PTR result = OpenStyles([&](HWND dialog) {
        // An empty name is refused and the Add Style dialog stays; Cancel adds nothing.
        dialogDriver = [&](HWND add) {
            EXPECT_EQ(Text(add), "Add Style");
            Click(add, IDOK);
            EXPECT_TRUE(IsWindowVisible(add));
            Click(add, IDCANCEL);
        };
        Click(dialog, IDC_STYLES_ADD);
        ExpectBox("You must specify a name for the new style !", kInformation, MB_OK | MB_ICONINFORMATION);
        EXPECT_EQ(Styles().size(), before);

        // A second style named like the first is accepted, both are listed.
        DWORD older = StyleNamed("C#");
        dialogDriver = [](HWND add) {
            SetDlgItemTextA(add, IDC_ADDSTYLE_NAME, "C#");
            SetDlgItemTextA(add, IDC_ADDSTYLE_CHARACTERS, "$@");
            Click(add, IDOK);
        };
        Click(dialog, IDC_STYLES_ADD);
        DWORD added = StyleNamed("C#");
        EXPECT_NE(added, older);
        EXPECT_EQ(Styles()[0].handle, added);
        EXPECT_STREQ(Styles()[0].additionalSymbolChars, "$@");
        EXPECT_EQ(EntryData(dialog, IDC_STYLES_LIST).size(), before + 1);
        EXPECT_NE(IndexOfData(dialog, IDC_STYLES_LIST, older), -1);
        EXPECT_EQ(Selected(dialog, IDC_STYLES_LIST), IndexOfData(dialog, IDC_STYLES_LIST, added));
        EXPECT_FALSE(Enabled(dialog, IDC_STYLES_EDIT)) << "only the user's selection enables Edit";

        // Texts are read to their first 79 characters.
        dialogDriver = [&](HWND add) {
            SetDlgItemTextA(add, IDC_ADDSTYLE_NAME, longName.c_str());
            Click(add, IDOK);
        };
        Click(dialog, IDC_STYLES_ADD);
        EXPECT_EQ(Entries(dialog, IDC_STYLES_LIST)[size_t(Selected(dialog, IDC_STYLES_LIST))], longName.substr(0, 79));
        EXPECT_EQ(std::string(Styles()[0].name), longName.substr(0, 79));
        EXPECT_STREQ(Styles()[0].additionalSymbolChars, "");
        Click(dialog, IDC_STYLES_CLOSE);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(TemplatesOpened(), (std::vector<int>{IDD_STYLES, IDD_ADDSTYLE, IDD_ADDSTYLE, IDD_ADDSTYLE}));
    std::string saved = ReadFile("styles.dat");
    EXPECT_NE(saved.find("X,C#,$@\r\n"), std::string::npos);
    EXPECT_NE(saved.find("X," + longName.substr(0, 79) + "\r\n"), std::string::npos);
}

TEST_F(StylesDialogs, AStyleTheEngineCannotCreateIsReportedAndChangesNothing)
{
    Start();
    size_t before = Styles().size();
    const std::string failure = "The following error occurred while creating the new style:\n\n[";
    INT_PTR result = OpenStyles([&](HWND dialog) {
        dialogDriver = [](HWND add) {
            SetDlgItemTextA(add, IDC_ADDSTYLE_NAME, "Lost");
            FailNthAllocation(1); // the new style's record
            Click(add, IDOK);
        };
        Click(dialog, IDC_STYLES_ADD);
        FailNthAllocation(0);
        ExpectBox(failure + ControlErrorText(AEE_MEMORY) + "]", kError, MB_OK | MB_ICONERROR);
        dialogDriver = [](HWND add) {
            SetDlgItemTextA(add, IDC_ADDSTYLE_NAME, "C, C++"); // styles.dat would split it
            Click(add, IDOK);
        };
        Click(dialog, IDC_STYLES_ADD);
        ExpectBox(failure + "A style name and its additional symbol characters cannot contain a comma or a line "
                            "break, and the additional characters (or the name, when there are none) cannot "
                            "end in a blank !]",
                  kError, MB_OK | MB_ICONERROR);
        EXPECT_EQ(EntryData(dialog, IDC_STYLES_LIST).size(), before);
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(result, 0) << "nothing changed: Esc asks nothing";
    EXPECT_EQ(Styles().size(), before);
}

TEST_F(StylesDialogs, DeleteAsksThenSelectsTheStyleInTheDeletedOnesPlace)
{
    Start();
    INT_PTR result = OpenStyles([&](HWND dialog) {
        std::vector<DWORD> handles = EntryData(dialog, IDC_STYLES_LIST);
        SelectEntry(dialog, IDC_STYLES_LIST, 2);
        answers.push_back(IDNO);
        Click(dialog, IDC_STYLES_DELETE);
        EXPECT_EQ(boxes[0].owner, dialog);
        ExpectBox("Are you sure you want to delete the selected style and all classes, ranges and symbols it contains ?",
                  kInformation, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
        EXPECT_EQ(EntryData(dialog, IDC_STYLES_LIST), handles) << "No keeps the style";

        answers.push_back(IDYES);
        Click(dialog, IDC_STYLES_DELETE);
        std::vector<DWORD> left = handles;
        left.erase(left.begin() + 2);
        EXPECT_EQ(EntryData(dialog, IDC_STYLES_LIST), left);
        EXPECT_EQ(Selected(dialog, IDC_STYLES_LIST), 2) << "the next style took its place";
        EXPECT_EQ(Styles().size(), handles.size() - 1);

        SelectEntry(dialog, IDC_STYLES_LIST, int(left.size() - 1));
        answers.push_back(IDYES);
        Click(dialog, IDC_STYLES_DELETE);
        EXPECT_EQ(Selected(dialog, IDC_STYLES_LIST), int(left.size() - 2)) << "the last one goes to the one before";
        Click(dialog, IDC_STYLES_CLOSE);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(StylesDialogs, DeletingTheOnlyStyleLeavesAnEmptyListAndButtonsThatDoNothing)
{
    Start();
    for (const AESTYLEINFO &style : Styles()) {
        if (std::string(style.name) != "INI")
            Send(AEM_DELETESTYLE, style.handle);
    }
    INT_PTR result = OpenStyles([&](HWND dialog) {
        ASSERT_EQ(Entries(dialog, IDC_STYLES_LIST), std::vector<std::string>{"INI"});
        SelectEntry(dialog, IDC_STYLES_LIST, 0);
        answers.push_back(IDYES);
        Click(dialog, IDC_STYLES_DELETE);
        EXPECT_TRUE(Entries(dialog, IDC_STYLES_LIST).empty());
        EXPECT_EQ(Selected(dialog, IDC_STYLES_LIST), LB_ERR);
        EXPECT_TRUE(Enabled(dialog, IDC_STYLES_EDIT)) << "the buttons stay enabled";
        Click(dialog, IDC_STYLES_EDIT);
        Click(dialog, IDC_STYLES_DELETE);
        EXPECT_EQ(boxes.size(), 1u) << "Delete with nothing selected asks nothing";
        EXPECT_EQ(boxes[0].type, UINT(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
        Click(dialog, IDC_STYLES_CLOSE);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(TemplatesOpened(), std::vector<int>{IDD_STYLES}) << "Edit with nothing selected opens nothing";
    EXPECT_EQ(Send(AEM_GETSTYLECOUNT), 0);
    EXPECT_EQ(ReadFile("styles.dat").find("X,"), std::string::npos);
}

TEST_F(StylesDialogs, ImportAddsTheFileStylesReportsFailuresAndMakesCloseSave)
{
    WriteFile("extra.dat", "X,Extra,-\r\nC,Word,1,0,00FF0000\r\nS,hello\r\n");
    Start();
    WriteFile("styles.dat", "untouched");
    size_t before = Styles().size();

    // Cancelled: the open-file record's name is cleared, nothing changes.
    std::strcpy(g_app.openDialog.lpstrFile, "stale.dat");
    INT_PTR result = OpenStyles([](HWND dialog) {
        Click(dialog, IDC_STYLES_IMPORT);
        Click(dialog, IDC_STYLES_CLOSE);
    });
    EXPECT_EQ(result, 0);
    EXPECT_STREQ(g_app.openDialog.lpstrFile, "");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(ReadFile("styles.dat"), "untouched");

    openChoices.push_back(Path("extra.dat"));
    result = OpenStyles([&](HWND dialog) {
        Click(dialog, IDC_STYLES_IMPORT);
        EXPECT_EQ(Entries(dialog, IDC_STYLES_LIST).size(), before + 1);
        EXPECT_NE(IndexOfData(dialog, IDC_STYLES_LIST, StyleNamed("Extra")), -1);
        EXPECT_STREQ(g_app.openDialog.lpstrFile, "") << "the name is cleared afterwards";
        Click(dialog, IDC_STYLES_CLOSE);
    });
    EXPECT_EQ(result, 1);
    ExpectBox("Style file successfully imported !", kInformation, MB_OK | MB_ICONINFORMATION);
    std::string saved = ReadFile("styles.dat");
    EXPECT_NE(saved.find("X,Extra,-\r\n"), std::string::npos) << "Close saved after the import alone";
    EXPECT_NE(saved.find("S,hello\r\n"), std::string::npos);

    WriteFile("styles.dat", "untouched");
    openChoices.push_back(Path("missing.dat"));
    result = OpenStyles([](HWND dialog) {
        Click(dialog, IDC_STYLES_IMPORT);
        Click(dialog, IDC_STYLES_CLOSE);
    });
    EXPECT_EQ(result, 1) << "a failed import still marks the styles changed";
    ExpectBox("The following error occurred while importing the style file:\n\n[" + ControlErrorText(AEE_STYLELOAD) +
                  "]",
              kError, MB_OK | MB_ICONERROR);
    EXPECT_EQ(Styles().size(), before + 1);
    EXPECT_NE(ReadFile("styles.dat"), "untouched");
}

TEST_F(StylesDialogs, ASaveFailureKeepsTheDialogOpenUntilCloseCanSave)
{
    Start();
    // A folder in the file's place: no file of that name can be written.
    ASSERT_TRUE(DeleteFileA(Path("styles.dat").c_str()));
    ASSERT_TRUE(CreateDirectoryA(Path("styles.dat").c_str(), nullptr));
    INT_PTR result = OpenStyles([&](HWND dialog) {
        dialogDriver = [](HWND add) {
            SetDlgItemTextA(add, IDC_ADDSTYLE_NAME, "Fresh");
            Click(add, IDOK);
        };
        Click(dialog, IDC_STYLES_ADD);
        Click(dialog, IDC_STYLES_CLOSE);
        EXPECT_TRUE(IsWindowVisible(dialog));
        ExpectBox("The following error occurred while saving the style file:\n\n[" +
                      ControlErrorText(AEE_STYLESAVE) + "]",
                  kError, MB_OK | MB_ICONERROR);
        RemoveDirectoryA(Path("styles.dat").c_str());
        Click(dialog, IDC_STYLES_CLOSE);
    });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(boxes.empty());
    EXPECT_NE(ReadFile("styles.dat").find("X,Fresh\r\n"), std::string::npos);
}

TEST_F(StylesDialogs, LeavingWithoutSavingWarnsAndTheNextCloseSaves)
{
    Start();
    WriteFile("styles.dat", "untouched");
    const char warning[] = "Style information has changed. These changements will not be saved to disk.";
    INT_PTR result = OpenStyles([&](HWND dialog) {
        dialogDriver = [](HWND add) {
            SetDlgItemTextA(add, IDC_ADDSTYLE_NAME, "Kept");
            Click(add, IDOK);
        };
        Click(dialog, IDC_STYLES_ADD);
        answers.push_back(IDCANCEL);
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(IsWindowVisible(dialog)) << "Cancel in the box keeps the dialog";
        ExpectBox(warning, kInformation, MB_OKCANCEL | MB_ICONINFORMATION | MB_DEFBUTTON2);
        answers.push_back(IDOK);
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(TakeBoxTexts(), std::vector<std::string>{warning});
    EXPECT_EQ(ReadFile("styles.dat"), "untouched");
    EXPECT_NE(StyleNamed("Kept"), 0u) << "the change stays in effect";

    result = OpenStyles([](HWND dialog) { Click(dialog, IDC_STYLES_CLOSE); });
    EXPECT_EQ(result, 1) << "the mark stayed set";
    EXPECT_NE(ReadFile("styles.dat").find("X,Kept\r\n"), std::string::npos);
}

// ---------------------------------------------------------------------------
// Edit Style

TEST_F(StylesDialogs, EditStyleListsTheClassesAndTheItemsOfTheSelectedClass)
{
    Start();
    DWORD style = StyleNamed("C/C++");
    ASSERT_NE(style, 0u);
    std::map<DWORD, std::string> classNames;
    for (const AESTYLECLASS &cls : Classes(style))
        classNames[cls.identifier] = cls.name;
    std::map<DWORD, size_t> symbolCounts; // by class
    for (const AESTYLESYMBOL &symbol : Symbols(style))
        ++symbolCounts[symbol.classIdentifier];

    INT_PTR result = OpenStyles([&](HWND dialog) {
        dialogDriver = [&](HWND edit) {
            EXPECT_EQ(Text(edit), "Edit Style");
            std::vector<DWORD> classes = EntryData(edit, IDC_EDITSTYLE_CLASSES);
            std::vector<std::string> names = Entries(edit, IDC_EDITSTYLE_CLASSES);
            ASSERT_EQ(classes.size(), classNames.size());
            for (size_t i = 0; i < classes.size(); ++i)
                EXPECT_EQ(names[i], classNames[classes[i]]);
            EXPECT_EQ(Selected(edit, IDC_EDITSTYLE_CLASSES), 0) << "the first class is selected";
            EXPECT_TRUE(Enabled(edit, IDC_EDITSTYLE_CLASSEDIT));
            EXPECT_TRUE(Enabled(edit, IDC_EDITSTYLE_CLASSDELETE));
            EXPECT_FALSE(Enabled(edit, IDC_EDITSTYLE_RANGEEDIT));
            EXPECT_FALSE(Enabled(edit, IDC_EDITSTYLE_SYMBOLDELETE));

            // Each class shows its own symbols, and a range reads [start] -
            // [end], with EOL for one that ends with its line.
            for (size_t i = 0; i < classes.size(); ++i) {
                SelectEntry(edit, IDC_EDITSTYLE_CLASSES, int(i));
                EXPECT_EQ(EntryData(edit, IDC_EDITSTYLE_SYMBOLS).size(), symbolCounts[classes[i]]) << names[i];
            }
            SelectEntry(edit, IDC_EDITSTYLE_CLASSES, int(std::find(names.begin(), names.end(), "Comment") - names.begin()));
            EXPECT_EQ(Entries(edit, IDC_EDITSTYLE_RANGES), (std::vector<std::string>{"[/*] - [*/]", "[//] - [EOL]"}));
            EXPECT_FALSE(Enabled(edit, IDC_EDITSTYLE_RANGEEDIT));
            SelectEntry(edit, IDC_EDITSTYLE_RANGES, 1);
            EXPECT_TRUE(Enabled(edit, IDC_EDITSTYLE_RANGEEDIT));
            EXPECT_TRUE(Enabled(edit, IDC_EDITSTYLE_RANGEDELETE));
            Click(edit, IDC_EDITSTYLE_CLOSE);
        };
        SelectEntry(dialog, IDC_STYLES_LIST, IndexOfData(dialog, IDC_STYLES_LIST, style), LBN_DBLCLK);
        Click(dialog, IDC_STYLES_CLOSE);
    });
    ASSERT_EQ(modalDialogs.size(), 2u);
    EXPECT_EQ(modalDialogs[1].templateId, IDD_EDITSTYLE) << "a double click acts as Edit";
    EXPECT_EQ(modalDialogs[1].parameter, LPARAM(style));
    EXPECT_EQ(modalDialogs[1].result, 0) << "nothing was changed";
    EXPECT_EQ(result, 0);
}

TEST_F(StylesDialogs, DeletingItemsAsksAndTheLastClassTakesAllListsWithIt)
{
    Start();
    DWORD style = NewStyle("Demo");
    DWORD first = AddClass(style, "Alpha");
    DWORD second = AddClass(style, "Beta");
    AddRange(style, "/*", "*/", first);
    AddRange(style, "'", "'", first);
    AddSymbol(style, "if", first);
    AddSymbol(style, "while", first);
    AddSymbol(style, "else", second);

    INT_PTR result = EditStyle(style, [&](HWND edit) {
        ASSERT_EQ(Entries(edit, IDC_EDITSTYLE_CLASSES), (std::vector<std::string>{"Alpha", "Beta"}));
        EXPECT_EQ(Entries(edit, IDC_EDITSTYLE_SYMBOLS), (std::vector<std::string>{"if", "while"}));

        SelectEntry(edit, IDC_EDITSTYLE_SYMBOLS, 1);
        answers.push_back(IDNO);
        Click(edit, IDC_EDITSTYLE_SYMBOLDELETE);
        EXPECT_EQ(Symbols(style).size(), 3u) << "No keeps the symbol";
        answers.push_back(IDYES);
        Click(edit, IDC_EDITSTYLE_SYMBOLDELETE);
        EXPECT_EQ(Entries(edit, IDC_EDITSTYLE_SYMBOLS), std::vector<std::string>{"if"});
        EXPECT_EQ(Selected(edit, IDC_EDITSTYLE_SYMBOLS), 0) << "the list's first entry is selected again";
        EXPECT_TRUE(Enabled(edit, IDC_EDITSTYLE_SYMBOLEDIT));

        SelectEntry(edit, IDC_EDITSTYLE_RANGES, 0);
        answers.push_back(IDYES);
        Click(edit, IDC_EDITSTYLE_RANGEDELETE);
        EXPECT_EQ(Ranges(style).size(), 1u);
        EXPECT_EQ(Entries(edit, IDC_EDITSTYLE_RANGES).size(), 1u);

        answers.push_back(IDYES);
        Click(edit, IDC_EDITSTYLE_CLASSDELETE); // Alpha, selected on opening
        EXPECT_EQ(Entries(edit, IDC_EDITSTYLE_CLASSES), std::vector<std::string>{"Beta"});
        EXPECT_EQ(Selected(edit, IDC_EDITSTYLE_CLASSES), 0);
        EXPECT_TRUE(Entries(edit, IDC_EDITSTYLE_RANGES).empty()) << "Alpha's range went with it";
        EXPECT_EQ(Entries(edit, IDC_EDITSTYLE_SYMBOLS), std::vector<std::string>{"else"});

        answers.push_back(IDYES);
        Click(edit, IDC_EDITSTYLE_CLASSDELETE);
        EXPECT_TRUE(Entries(edit, IDC_EDITSTYLE_CLASSES).empty());
        EXPECT_TRUE(Entries(edit, IDC_EDITSTYLE_RANGES).empty());
        EXPECT_TRUE(Entries(edit, IDC_EDITSTYLE_SYMBOLS).empty());
        EXPECT_FALSE(Enabled(edit, IDC_EDITSTYLE_CLASSEDIT));
        SendMessageA(edit, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(result, 1) << "Cancel ends with the style-edited mark";
    EXPECT_TRUE(Classes(style).empty());
    EXPECT_TRUE(Symbols(style).empty());
    std::vector<std::string> questions = {
        "Are you sure you want to delete the selected symbol ?",
        "Are you sure you want to delete the selected symbol ?",
        "Are you sure you want to delete the selected range ?",
        "Are you sure you want to delete the selected class and all its ranges and symbols ?",
        "Are you sure you want to delete the selected class and all its ranges and symbols ?",
    };
    EXPECT_EQ(BoxTexts(), questions);
    for (const ShownBox &box : boxes)
        EXPECT_EQ(box.type, UINT(MB_YESNO | MB_ICONINFORMATION | MB_DEFBUTTON2)) << box.text;
    EXPECT_NE(ReadFile("styles.dat").find("X,Demo\r\n"), std::string::npos) << "the Styles dialog saved";
}

// ---------------------------------------------------------------------------
// The class dialog

TEST_F(StylesDialogs, TheClassDialogAddsClassesOneAfterAnother)
{
    Start();
    DWORD style = NewStyle("Demo");
    INT_PTR result = EditStyle(style, [&](HWND edit) {
        dialogDriver = [&](HWND dialog) {
            EXPECT_EQ(Text(dialog), "Add Style Class");
            std::vector<std::string> colours = ComboEntries(dialog, IDC_STYLECLASS_COLOUR);
            ASSERT_EQ(colours.size(), 17u);
            for (int i = 0; i < kNamedColourCount; ++i) {
                EXPECT_EQ(colours[size_t(i)], kNamedColours[i].name) << "the table's order";
                EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_STYLECLASS_COLOUR, CB_GETITEMDATA, WPARAM(i), 0), i);
            }
            EXPECT_EQ(colours[16], "Custom");
            EXPECT_EQ(ComboSelection(dialog, IDC_STYLECLASS_COLOUR), 0) << "Black";
            EXPECT_TRUE(Checked(dialog, IDC_STYLECLASS_CASESENSITIVE));
            EXPECT_TRUE(Checked(dialog, IDC_STYLECLASS_AUTONONE));
            EXPECT_TRUE(Shown(dialog, IDC_STYLECLASS_NEXT));

            ForgetPendingRepaint();
            Click(dialog, IDC_STYLECLASS_NEXT);
            EXPECT_EQ(TakeBoxTexts(), std::vector<std::string>{"You must specify a valid class name !"});
            SetDlgItemTextA(dialog, IDC_STYLECLASS_NAME, "Strings, chars"); // styles.dat would split it
            Click(dialog, IDC_STYLECLASS_NEXT);
            ExpectBox("A class name cannot contain a comma or a line break !", kError, MB_OK | MB_ICONERROR);
            EXPECT_TRUE(Classes(style).empty());
            EXPECT_FALSE(WholeEditPending());

            SetDlgItemTextA(dialog, IDC_STYLECLASS_NAME, "Keyword");
            SendDlgItemMessageA(dialog, IDC_STYLECLASS_COLOUR, CB_SETCURSEL, 7, 0); // Olive
            CheckDlgButton(dialog, IDC_STYLECLASS_CASESENSITIVE, BST_UNCHECKED);
            CheckRadioButton(dialog, IDC_STYLECLASS_AUTONONE, IDC_STYLECLASS_AUTOUPPER, IDC_STYLECLASS_AUTOUPPER);
            Click(dialog, IDC_STYLECLASS_NEXT);
            ASSERT_EQ(Classes(style).size(), 1u) << "added at once";
            AESTYLECLASS keyword = Classes(style)[0];
            EXPECT_STREQ(keyword.name, "Keyword");
            EXPECT_EQ(keyword.colour, 0x00007F7Fu);
            EXPECT_EQ(keyword.caseSensitive, 0);
            EXPECT_EQ(keyword.autocase, 2);
            EXPECT_TRUE(WholeEditPending()) << "the edit control is repainted";
            EXPECT_EQ(Text(dialog, IDC_STYLECLASS_NAME), "") << "Next > clears the name";
            EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_STYLECLASS_NAME));

            // "Custom": the chooser starts from the custom colour.
            colourAnswers.push_back(0x00123456);
            Click(dialog, IDC_STYLECLASS_CUSTOM);
            ASSERT_EQ(colourChoosersShown.size(), 1u);
            const CHOOSECOLORA &chooser = colourChoosersShown[0];
            EXPECT_EQ(chooser.Flags, DWORD(CC_FULLOPEN | CC_RGBINIT | CC_SOLIDCOLOR | CC_ANYCOLOR));
            EXPECT_EQ(chooser.rgbResult, 0u);
            EXPECT_EQ(chooser.hwndOwner, dialog);
            for (int i = 0; i < kNamedColourCount; ++i)
                EXPECT_EQ(colourSlots[0][size_t(i)], kNamedColours[i].value) << "custom slot " << i;
            EXPECT_EQ(ComboSelection(dialog, IDC_STYLECLASS_COLOUR), kCustomColourEntry);
            EXPECT_EQ(g_stylesDialogs.customColour, 0x00123456u);

            SetDlgItemTextA(dialog, IDC_STYLECLASS_NAME, "Comment");
            CheckRadioButton(dialog, IDC_STYLECLASS_AUTONONE, IDC_STYLECLASS_AUTOUPPER, IDC_STYLECLASS_AUTOLOWER);
            Click(dialog, IDOK);
        };
        Click(edit, IDC_EDITSTYLE_CLASSADD);
        EXPECT_EQ(Entries(edit, IDC_EDITSTYLE_CLASSES), (std::vector<std::string>{"Comment", "Keyword"}));
        EXPECT_EQ(Selected(edit, IDC_EDITSTYLE_CLASSES), 0);

        // A chooser that is cancelled changes nothing.
        dialogDriver = [&](HWND dialog) {
            Click(dialog, IDC_STYLECLASS_CUSTOM);
            EXPECT_EQ(ComboSelection(dialog, IDC_STYLECLASS_COLOUR), 0);
            EXPECT_EQ(colourChoosersShown.back().rgbResult, 0x00123456u) << "the last colour chosen";
            Click(dialog, IDCANCEL);
        };
        Click(edit, IDC_EDITSTYLE_CLASSADD);
        Click(edit, IDC_EDITSTYLE_CLOSE);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(TemplatesOpened(1), (std::vector<int>{IDD_EDITSTYLE, IDD_STYLECLASS, IDD_STYLECLASS}));
    EXPECT_EQ(modalDialogs[2].parameter, 0) << "Add opens the dialog in add mode";
    EXPECT_EQ(modalDialogs[3].result, 0) << "a cancelled dialog that changed nothing";
    std::vector<AESTYLECLASS> classes = Classes(style);
    ASSERT_EQ(classes.size(), 2u);
    EXPECT_STREQ(classes[1].name, "Comment");
    EXPECT_EQ(classes[1].colour, 0x00123456u);
    EXPECT_EQ(classes[1].caseSensitive, 0) << "Next > leaves everything but the name as it was";
    EXPECT_EQ(classes[1].autocase, 1);
    EXPECT_NE(ReadFile("styles.dat").find("C,Comment,0,1,00123456"), std::string::npos);
}

TEST_F(StylesDialogs, EditingAClassShowsItsValuesAndKeepsAColourNoNameHas)
{
    Start();
    DWORD style = NewStyle("Demo");
    struct Case {
        COLORREF colour;
        int caseSensitive;
        unsigned char autocase;
        LRESULT colourEntry;
        int autocaseButton;
    };
    const Case cases[] = {
        {0x007F0000, 0, 1, 9, IDC_STYLECLASS_AUTOLOWER},                  // Navy
        {0x00C0C0C0, 1, 2, 14, IDC_STYLECLASS_AUTOUPPER},                 // Silver
        {0x00008000, 1, 0, kCustomColourEntry, IDC_STYLECLASS_AUTONONE},  // green at 128, not 127
        {0x00FFFFFF, 7, 9, 15, IDC_STYLECLASS_AUTONONE},                  // White; autocase 9 shows as none
    };
    for (const Case &expected : cases) {
        SCOPED_TRACE(expected.colour);
        DWORD cls = AddClass(style, "Named", expected.colour, expected.caseSensitive, expected.autocase);
        INT_PTR result = EditStyle(style, [&](HWND edit) {
            dialogDriver = [&](HWND dialog) {
                EXPECT_EQ(Text(dialog), "Edit Style Class");
                EXPECT_FALSE(Shown(dialog, IDC_STYLECLASS_NEXT));
                EXPECT_EQ(Text(dialog, IDC_STYLECLASS_NAME), "Named");
                EXPECT_EQ(ComboSelection(dialog, IDC_STYLECLASS_COLOUR), expected.colourEntry);
                EXPECT_EQ(Checked(dialog, IDC_STYLECLASS_CASESENSITIVE), expected.caseSensitive != 0);
                EXPECT_TRUE(Checked(dialog, expected.autocaseButton));
                SetDlgItemTextA(dialog, IDC_STYLECLASS_NAME, "Renamed");
                Click(dialog, IDOK);
            };
            SelectEntry(edit, IDC_EDITSTYLE_CLASSES, IndexOfData(edit, IDC_EDITSTYLE_CLASSES, cls));
            Click(edit, IDC_EDITSTYLE_CLASSEDIT);
            EXPECT_EQ(Entries(edit, IDC_EDITSTYLE_CLASSES), std::vector<std::string>{"Renamed"});
            Click(edit, IDC_EDITSTYLE_CLOSE);
        });
        EXPECT_EQ(result, 1);
        EXPECT_EQ(modalDialogs[2].parameter, LPARAM(cls));
        ASSERT_EQ(Classes(style).size(), 1u);
        AESTYLECLASS changed = Classes(style)[0];
        EXPECT_EQ(changed.identifier, cls);
        EXPECT_STREQ(changed.name, "Renamed");
        EXPECT_EQ(changed.colour, expected.colour) << "OK keeps the colour";
        EXPECT_EQ(changed.caseSensitive, expected.caseSensitive != 0 ? 1 : 0);
        if (expected.colourEntry == kCustomColourEntry) {
            EXPECT_EQ(g_stylesDialogs.customColour, expected.colour) << "the colour met becomes the custom one";
        }
        AESTYLEREF ref = {style, cls, AESK_CLASS};
        Send(AEM_DELETESTYLEITEM, reinterpret_cast<WPARAM>(&ref));
        modalDialogs.clear();
    }
}

// ---------------------------------------------------------------------------
// The range and symbol dialogs

TEST_F(StylesDialogs, RangesAndSymbolsNeedAClassFirst)
{
    Start();
    DWORD style = NewStyle("Empty");
    INT_PTR result = EditStyle(style, [&](HWND edit) {
        Click(edit, IDC_EDITSTYLE_RANGEADD);
        Click(edit, IDC_EDITSTYLE_SYMBOLADD);
        Click(edit, IDC_EDITSTYLE_CLOSE);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(TemplatesOpened(1), (std::vector<int>{IDD_EDITSTYLE, IDD_STYLERANGE, IDD_STYLESYMBOL}));
    EXPECT_EQ(modalDialogs[2].result, 0);
    EXPECT_EQ(modalDialogs[3].result, 0);
    const char note[] = "You must create at least one style class before adding ranges or symbols !";
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{note, note}));
    EXPECT_EQ(boxes[0].type, UINT(MB_OK | MB_ICONINFORMATION));
    EXPECT_TRUE(Ranges(style).empty());
    EXPECT_TRUE(Symbols(style).empty());
}

TEST_F(StylesDialogs, TheRangeDialogAddsAndChangesRanges)
{
    Start();
    DWORD style = NewStyle("Demo");
    DWORD text = AddClass(style, "Text");
    DWORD comment = AddClass(style, "Comment");
    INT_PTR result = EditStyle(style, [&](HWND edit) {
        // Comment is the first entry and selected.
        dialogDriver = [&](HWND dialog) {
            EXPECT_EQ(Text(dialog), "Add Style Range");
            EXPECT_EQ(ComboEntries(dialog, IDC_STYLERANGE_CLASS), (std::vector<std::string>{"Comment", "Text"}));
            EXPECT_EQ(ComboSelection(dialog, IDC_STYLERANGE_CLASS), 0);
            EXPECT_FALSE(Checked(dialog, IDC_STYLERANGE_BACKSLASH));
            EXPECT_FALSE(Checked(dialog, IDC_STYLERANGE_NESTED));
            SetDlgItemTextA(dialog, IDC_STYLERANGE_END, "*/");
            Click(dialog, IDOK);
            EXPECT_EQ(TakeBoxTexts(), std::vector<std::string>{"You must specify the start text of a range !"});
            SetDlgItemTextA(dialog, IDC_STYLERANGE_START, ",");
            Click(dialog, IDOK);
            ExpectBox("The start and end texts of a range cannot contain a comma or a line break !", kError,
                      MB_OK | MB_ICONERROR);
            EXPECT_TRUE(Ranges(style).empty());

            ForgetPendingRepaint();
            SetDlgItemTextA(dialog, IDC_STYLERANGE_START, "/*");
            CheckDlgButton(dialog, IDC_STYLERANGE_BACKSLASH, BST_CHECKED);
            Click(dialog, IDC_STYLERANGE_NEXT);
            EXPECT_TRUE(WholeEditPending());
            EXPECT_EQ(Text(dialog, IDC_STYLERANGE_START), "");
            EXPECT_EQ(Text(dialog, IDC_STYLERANGE_END), "");
            EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_STYLERANGE_START));

            SetDlgItemTextA(dialog, IDC_STYLERANGE_START, "//");
            CheckDlgButton(dialog, IDC_STYLERANGE_BACKSLASH, BST_UNCHECKED);
            CheckDlgButton(dialog, IDC_STYLERANGE_NESTED, BST_CHECKED);
            SendDlgItemMessageA(dialog, IDC_STYLERANGE_CLASS, CB_SETCURSEL, 1, 0); // Text
            Click(dialog, IDOK);
        };
        Click(edit, IDC_EDITSTYLE_RANGEADD);
        EXPECT_EQ(Entries(edit, IDC_EDITSTYLE_RANGES), std::vector<std::string>{"[/*] - [*/]"})
            << "the list shows the selected class's ranges";
        EXPECT_EQ(Selected(edit, IDC_EDITSTYLE_RANGES), 0);
        EXPECT_TRUE(Enabled(edit, IDC_EDITSTYLE_RANGEEDIT));

        SelectEntry(edit, IDC_EDITSTYLE_CLASSES, 1);
        EXPECT_EQ(Entries(edit, IDC_EDITSTYLE_RANGES), std::vector<std::string>{"[//] - [EOL]"});
        SelectEntry(edit, IDC_EDITSTYLE_RANGES, 0);
        dialogDriver = [&](HWND dialog) {
            EXPECT_EQ(Text(dialog), "Edit Style Range");
            EXPECT_FALSE(Shown(dialog, IDC_STYLERANGE_NEXT));
            EXPECT_EQ(Text(dialog, IDC_STYLERANGE_START), "//");
            EXPECT_EQ(Text(dialog, IDC_STYLERANGE_END), "");
            EXPECT_EQ(ComboSelectedData(dialog, IDC_STYLERANGE_CLASS), text);
            EXPECT_FALSE(Checked(dialog, IDC_STYLERANGE_BACKSLASH));
            EXPECT_TRUE(Checked(dialog, IDC_STYLERANGE_NESTED));
            SetDlgItemTextA(dialog, IDC_STYLERANGE_START, "#");
            FailNthAllocation(1); // the new start text's copy
            Click(dialog, IDOK);
            FailNthAllocation(0);
            ExpectBox(ControlErrorText(AEE_MEMORY), kError, MB_OK | MB_ICONERROR);
            EXPECT_EQ(Ranges(style).size(), 2u) << "a refused change keeps the old range";
            Click(dialog, IDOK);
        };
        SelectEntry(edit, IDC_EDITSTYLE_RANGES, 0, LBN_DBLCLK);
        EXPECT_EQ(Entries(edit, IDC_EDITSTYLE_RANGES), std::vector<std::string>{"[#] - [EOL]"});
        Click(edit, IDC_EDITSTYLE_CLOSE);
    });
    EXPECT_EQ(result, 1);
    std::vector<AESTYLERANGE> ranges = Ranges(style);
    ASSERT_EQ(ranges.size(), 2u);
    EXPECT_STREQ(ranges[0].startText, "/*");
    EXPECT_STREQ(ranges[0].endText, "*/");
    EXPECT_EQ(ranges[0].flags, 1);
    EXPECT_EQ(ranges[0].nested, 0u);
    EXPECT_EQ(ranges[0].classIdentifier, comment);
    EXPECT_STREQ(ranges[1].startText, "#") << "the changed range replaced the old one";
    EXPECT_STREQ(ranges[1].endText, "");
    EXPECT_EQ(ranges[1].nested, 1u);
    EXPECT_EQ(ranges[1].classIdentifier, text);
}

TEST_F(StylesDialogs, TheSymbolDialogAddsSymbolsInARowAndRefusesIllegalOnes)
{
    Start();
    DWORD style = NewStyle("Demo");
    DWORD keyword = AddClass(style, "Keyword");
    std::string longText(100, 'z');
    INT_PTR result = EditStyle(style, [&](HWND edit) {
        dialogDriver = [&](HWND dialog) {
            EXPECT_EQ(Text(dialog), "Add Style Symbol");
            EXPECT_EQ(ComboSelectedData(dialog, IDC_STYLESYMBOL_CLASS), keyword);
            Click(dialog, IDC_STYLESYMBOL_NEXT);
            EXPECT_EQ(TakeBoxTexts(), std::vector<std::string>{"You must specify a symbol name !"});

            size_t added = 0;
            for (const std::string &word : {std::string("while"), std::string("if"), longText}) {
                ForgetPendingRepaint();
                SetDlgItemTextA(dialog, IDC_STYLESYMBOL_TEXT, word.c_str());
                Click(dialog, IDC_STYLESYMBOL_NEXT);
                EXPECT_EQ(Symbols(style).size(), ++added) << word << " is added at once";
                EXPECT_TRUE(WholeEditPending()) << "a repaint after " << word;
                EXPECT_EQ(Text(dialog, IDC_STYLESYMBOL_TEXT), "");
            }

            SetDlgItemTextA(dialog, IDC_STYLESYMBOL_TEXT, "no-no");
            Click(dialog, IDC_STYLESYMBOL_NEXT);
            ExpectBox("Symbol contains illegal characters ! ", kError, MB_OK | MB_ICONERROR);
            EXPECT_EQ(Text(dialog, IDC_STYLESYMBOL_TEXT), "no-no") << "the dialog stays as it was";
            EXPECT_EQ(Symbols(style).size(), added);
            Click(dialog, IDCANCEL);
        };
        Click(edit, IDC_EDITSTYLE_SYMBOLADD);
        EXPECT_EQ(Entries(edit, IDC_EDITSTYLE_SYMBOLS),
                  (std::vector<std::string>{"if", "while", longText.substr(0, 79)}));
        EXPECT_EQ(Selected(edit, IDC_EDITSTYLE_SYMBOLS), 0);

        // A text the engine refuses keeps the old symbol.
        dialogDriver = [&](HWND dialog) {
            EXPECT_EQ(Text(dialog), "Edit Style Symbol");
            EXPECT_EQ(Text(dialog, IDC_STYLESYMBOL_TEXT), "if");
            EXPECT_FALSE(Shown(dialog, IDC_STYLESYMBOL_NEXT));
            SetDlgItemTextA(dialog, IDC_STYLESYMBOL_TEXT, "i f");
            Click(dialog, IDOK);
            EXPECT_EQ(TakeBoxTexts(), std::vector<std::string>{"Symbol contains illegal characters ! "});
            Click(dialog, IDCANCEL);
        };
        Click(edit, IDC_EDITSTYLE_SYMBOLEDIT);
        Click(edit, IDC_EDITSTYLE_CLOSE);
    });
    EXPECT_EQ(result, 1);
    ASSERT_GE(modalDialogs.size(), 4u);
    EXPECT_EQ(modalDialogs[2].result, 1) << "Cancel after Next > ends with the changed mark";
    EXPECT_EQ(modalDialogs[3].result, 0);
    std::vector<std::string> left;
    for (const AESTYLESYMBOL &symbol : Symbols(style))
        left.push_back(symbol.text);
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"if", "while", longText.substr(0, 79)}));
}

// Without memory for its copy the style list stays empty and the range
// dialog ends before it shows.
TEST_F(StylesDialogs, CopiesWithoutMemoryAreReported)
{
    Start();
    DWORD style = NewStyle("Demo");
    AddClass(style, "Keyword");
    auto noMemory = [](size_t) -> void * { return nullptr; };
    g_stylesCopyAllocator = noMemory;
    OpenStyles([&](HWND dialog) {
        EXPECT_TRUE(Entries(dialog, IDC_STYLES_LIST).empty());
        ExpectBox("Memory allocation failed !", kError, MB_OK | MB_ICONERROR);
        g_stylesCopyAllocator = std::malloc;
        FillStyleList(dialog);
        dialogDriver = [&](HWND edit) {
            g_stylesCopyAllocator = noMemory;
            Click(edit, IDC_EDITSTYLE_RANGEADD);
            g_stylesCopyAllocator = std::malloc;
            Click(edit, IDC_EDITSTYLE_CLOSE);
        };
        SelectEntry(dialog, IDC_STYLES_LIST, IndexOfData(dialog, IDC_STYLES_LIST, style), LBN_DBLCLK);
        Click(dialog, IDC_STYLES_CLOSE);
    });
    EXPECT_EQ(TemplatesOpened(), (std::vector<int>{IDD_STYLES, IDD_EDITSTYLE, IDD_STYLERANGE}));
    EXPECT_EQ(modalDialogs[2].result, 0);
    EXPECT_EQ(TakeBoxTexts(), std::vector<std::string>{"Memory allocation failed !"});
    EXPECT_TRUE(Ranges(style).empty());
}

} // namespace

} // namespace scrivlet
