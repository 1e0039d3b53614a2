#include "print/print_job.h"

#include "print/header_footer.h"

namespace scrivlet {

namespace {

// The state of one copy while its pages are laid out.
struct PrintContext {
    const char *text;
    uint32_t length;
    TabStops tabs;
    const PrintJob *job;
    const PageDevice *device;
    PrintRect header, body, footer;
    int cellWidth;  // of the print font
    int lineHeight; // of the print font
    uint32_t page;  // 1-based, skipped pages included
    PrintTime time; // taken once per copy
    uint32_t offset; // where the next page starts
};

// The column walk of the line holding `offset`, from its start up to it.
ColumnWalk WalkTo(const PrintContext &c, uint32_t offset)
{
    uint32_t start = offset;
    while (start > 0 && c.text[start - 1] != '\n')
        --start;
    ColumnWalk walk = StartColumnWalk(c.tabs);
    for (uint32_t i = start; i < offset; ++i)
        AdvanceColumn(&walk, c.text[i]);
    return walk;
}

// Lays out one page body from the context's offset, drawing when asked.
// A character is placed only when its cell ends left of the body's right
// edge (else the line wraps) and its line ends above the body's bottom
// (else the page is full and the character starts the next page). Line
// breaks never break a page by themselves. Returns true while text remains.
bool LayOutPageBody(PrintContext *c, bool draw)
{
    const PrintRect &body = c->body;
    int x = body.left;
    int y = body.top;
    auto place = [&](char character) {
        if (x + c->cellWidth >= body.right) {
            x = body.left;
            y += c->lineHeight;
        }
        if (y + c->lineHeight >= body.bottom)
            return false;
        if (draw)
            c->device->drawCharacter(c->device->context, x, y, character);
        x += c->cellWidth;
        return true;
    };

    uint32_t at = c->offset;
    ColumnWalk walk = WalkTo(*c, at);
    for (; at < c->length; ++at) {
        char character = c->text[at];
        if (character == '\n') {
            x = body.left;
            y += c->lineHeight;
            walk = StartColumnWalk(c->tabs);
            continue;
        }
        // A tab is its spaces to the next stop; a page full among them
        // starts the next page with the whole tab again.
        uint32_t cells = character == '\t' ? walk.stop - walk.column : 1;
        for (uint32_t i = 0; i < cells; ++i) {
            if (!place(character == '\t' ? ' ' : character)) {
                c->offset = at;
                return true;
            }
        }
        AdvanceColumn(&walk, character);
    }
    c->offset = at;
    return false;
}

void DrawBand(const PrintContext &c, const char *format, const PrintRect &band)
{
    if (format == nullptr)
        return;
    char expanded[kExpandedTextSize];
    ExpandHeaderFooter(format, c.page, c.time, c.job->documentName, expanded);
    c.device->drawCentredLine(c.device->context, band, expanded);
}

bool PageWanted(uint32_t page, unsigned pageSet)
{
    return page % 2 == 0 ? (pageSet & AEPS_EVEN) != 0 : (pageSet & AEPS_ODD) != 0;
}

// One body in the print font, selected only meanwhile.
bool PrintPageBody(PrintContext *c, uintptr_t font, bool draw)
{
    const PageDevice &device = *c->device;
    uintptr_t previous = device.selectFont(device.context, font);
    bool remains = LayOutPageBody(c, draw);
    device.selectFont(device.context, previous);
    return remains;
}

// Lays out every page of one copy, drawing the wanted ones. Returns the
// last bracket's result, or 0 (with *noRoom) when a page took no text.
int PrintCopy(PrintContext *c, uintptr_t font, bool *noRoom)
{
    const PageDevice &device = *c->device;
    c->page = 1;
    device.localTime(device.context, &c->time);
    c->offset = 0;
    int last = 1;
    bool remains = true;
    while (last > 0 && remains) {
        uint32_t before = c->offset;
        if (PageWanted(c->page, c->job->pageSet)) {
            last = device.startPage(device.context);
            if (last <= 0)
                break;
            DrawBand(*c, c->job->header, c->header);
            remains = PrintPageBody(c, font, true);
            DrawBand(*c, c->job->footer, c->footer);
            last = device.endPage(device.context);
        } else {
            remains = PrintPageBody(c, font, false);
        }
        if (remains && c->offset == before) {
            *noRoom = true; // not one character fits: no page would ever take it
            break;
        }
        ++c->page;
    }
    return last;
}

} // namespace

uint32_t RunPrintJob(const char *text, uint32_t length, TabStops tabs, const PrintJob &job,
                     const PageDevice &device)
{
    void *context = device.context;
    FontMetrics defaults;
    device.metrics(context, &defaults);
    uintptr_t created = 0;
    uintptr_t font;
    if (job.printerFont) {
        font = device.currentFont(context);
    } else {
        created = device.createFont(context, 3 * defaults.height / 4, 3 * defaults.maxCharWidth / 5);
        if (created == 0)
            return AEE_WIN32API;
        font = created;
    }
    FontMetrics print;
    uintptr_t previous = device.selectFont(context, font);
    device.metrics(context, &print);
    device.selectFont(context, previous);

    int width, height;
    device.pageSize(context, &width, &height);
    auto release = [&] {
        if (created != 0)
            device.deleteFont(context, created);
    };
    if (int64_t(job.leftMargin) + job.rightMargin >= int64_t(width) - 10 * int64_t(print.maxCharWidth) ||
        int64_t(job.topMargin) + job.bottomMargin >= int64_t(height) - 5 * int64_t(defaults.height)) {
        release();
        return AEE_MARGINS;
    }

    PrintContext c{};
    c.text = text;
    c.length = length;
    c.tabs = tabs;
    c.job = &job;
    c.device = &device;
    c.cellWidth = print.maxCharWidth;
    c.lineHeight = print.height;
    int left = job.leftMargin, right = width - job.rightMargin;
    int band = 2 * defaults.height;
    c.header = {left, job.topMargin, right, job.topMargin + (job.header != nullptr ? band : 0)};
    int footerTop = height - job.bottomMargin - (job.footer != nullptr ? band : 0);
    c.footer = {left, footerTop, right, height - job.bottomMargin};
    c.body = {left, c.header.bottom, right, footerTop};

    bool noRoom = false;
    int last = device.startDocument(context, job.documentName);
    for (int copy = 0; copy < job.copies && last > 0 && !noRoom; ++copy)
        last = PrintCopy(&c, font, &noRoom);
    if (last > 0)
        last = device.endDocument(context);
    release();
    if (last <= 0)
        return AEE_WIN32API;
    return noRoom ? AEE_MARGINS : AEE_NOERROR;
}

} // namespace scrivlet
