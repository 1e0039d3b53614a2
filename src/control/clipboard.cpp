// The clipboard and the context menu over the platform's clipboard and menu
// calls. The menu asks the control about its state through its own
// messages and sends the chosen command back to it, as a user would.
#include "control/clipboard.h"

#include "control/control_engine.h"
#include "core/control_error.h"
#include "control/edit_operations.h"
#include "control/mouse.h"
#include "control/window_messages.h"
#include "core/text_store.h"

namespace scrivlet {

namespace {

// The clipboard format the control offers and takes.
constexpr unsigned kClipboardText = 1; // CF_TEXT

// The menu's item ids.
enum : unsigned {
    kItemCut = 1,
    kItemCopy = 2,
    kItemPaste = 3,
    kItemDelete = 4,
    kItemSelectAll = 5,
};

LResult Ask(ControlRecord *record, unsigned message, WParam wParam = 0, LParam lParam = 0)
{
    return ControlMessage(record, record->platform, message, wParam, lParam);
}

} // namespace

bool CopySelection(ControlRecord *record)
{
    const ControlPlatform &platform = record->platform;
    if (!platform.openClipboard(platform.context)) {
        SetLastControlError(AEE_CLIPBOARD);
        return false;
    }
    // An empty selection still empties the clipboard: copying nothing
    // leaves nothing there.
    platform.emptyClipboard(platform.context);
    SetWaitCursor(record, true);
    bool copied = true;
    uint32_t length = record->selEnd - record->selStart;
    if (length > 0) {
        const char *selected = record->text.bytes + record->selStart;
        // Every line but the last gains a CR, and the block ends in a NUL:
        // L bytes of n lines take exactly L + n bytes.
        uint32_t size = length + (CountLines(selected, length) - 1) + 1;
        char *block = platform.allocateClipboardText(platform.context, size);
        if (block == nullptr) {
            SetLastControlError(AEE_MEMORY);
            copied = false;
        } else {
            uint32_t written = 0;
            ConvertLineEnds(block, &written, selected, length, kFromStore);
            block[written] = '\0';
            platform.setClipboardText(platform.context, block);
        }
    }
    platform.closeClipboard(platform.context);
    SetWaitCursor(record, false);
    return copied;
}

void CutSelection(ControlRecord *record)
{
    // The text goes only when it is safe on the clipboard.
    if (CopySelection(record))
        ReplaceSelection(record, nullptr, 0, true, nullptr);
}

void PasteText(ControlRecord *record)
{
    const ControlPlatform &platform = record->platform;
    SetWaitCursor(record, true);
    if (platform.isTextAvailable(platform.context)) {
        if (!platform.openClipboard(platform.context)) {
            SetLastControlError(AEE_CLIPBOARD);
        } else {
            uint32_t size = 0;
            if (const char *bytes = platform.lockClipboardText(platform.context, &size)) {
                // The text ends at its NUL, or with the block when another
                // program left none.
                uint32_t length = FindByte(bytes, size, '\0');
                ReplaceSelection(record, bytes, length, true, nullptr);
                platform.unlockClipboardText(platform.context, bytes);
            }
            platform.closeClipboard(platform.context);
        }
    }
    SetWaitCursor(record, false);
}

LResult CanPaste(const ControlPlatform &platform, WParam format)
{
    if (format != kClipboardText)
        return 0;
    return platform.isTextAvailable(platform.context) ? 1 : 0;
}

void ShowContextMenu(ControlRecord *record, WParam owner, LParam point)
{
    AERANGE selection = {0, 0};
    Ask(record, AEM_GETSEL, 0, reinterpret_cast<LParam>(&selection));
    bool noSelection = selection.start == selection.end;
    MenuItem items[] = {
        {kItemCut, "Cu&t", noSelection},
        {kItemCopy, "&Copy", noSelection},
        {kItemPaste, "&Paste", Ask(record, AEM_CANPASTE, kClipboardText) == 0},
        {0, nullptr, 0},
        {kItemDelete, "&Delete", noSelection},
        // Greyed when the first line is empty, whatever follows it.
        {kItemSelectAll, "Select A&ll", Ask(record, AEM_LINELENGTH, 0) == 0},
    };
    // Screen coordinates are signed words: a menu opened from the keyboard
    // comes with (-1, -1) and is shown there.
    int x = int16_t(uint16_t(point & 0xFFFF));
    int y = int16_t(uint16_t((point >> 16) & 0xFFFF));
    const ControlPlatform &platform = record->platform;
    int chosen = platform.showContextMenu(platform.context, owner, x, y, items,
                                          int(sizeof items / sizeof items[0]));
    switch (chosen) {
    case kItemCut:
        Ask(record, WM_CUT_);
        break;
    case kItemCopy:
        Ask(record, WM_COPY_);
        break;
    case kItemPaste:
        Ask(record, WM_PASTE_);
        break;
    case kItemDelete:
        Ask(record, WM_CLEAR_);
        break;
    case kItemSelectAll: {
        AERANGE everything = {0, 0xFFFFFFFF};
        Ask(record, AEM_SETSEL, 1, reinterpret_cast<LParam>(&everything));
        break;
    }
    default:
        break; // dismissed
    }
}

} // namespace scrivlet
