// The style file: the whole style set as plain single-byte text, one record
// per line. `styles.dat` in the current directory is read when the first
// control is created (replace, stop at the first bad line), other files are
// imported from the Styles dialog (skip bad lines), and the set is written
// whole when the styles are saved.
//
// Lines:
//   ;...                                comment, ignored
//   X,name[,additional characters]      a new style; it becomes current, no class is current
//   C,name,case sensitive,autocase,colour   a class of the current style; it becomes current
//   R,start text,end text,flags,nested  a range of the current class
//   S,keyword                           a symbol of the current class
// The record letter is the first character, the second is not looked at, the
// fields begin at the third and are split at commas; a record takes the
// fields it needs and ignores the rest. No field can hold a comma.
//
// Reading, beyond what the format itself says:
// - Both LF and CR LF end a line (one CR right before the LF is dropped; a CR
//   anywhere else, and a CR at the very end of a file without a final LF,
//   belong to the line). The last line counts without a line feed. The file
//   is read in binary mode, so a Ctrl-Z byte is an ordinary character.
// - Lines of any length are read whole: a line is collected in a buffer that
//   grows as needed, so a long symbol or range text written by the writer
//   (which never cuts data) comes back unchanged, and nothing can overflow.
//   Dialog-sized data always gives lines of at most 255 characters; only
//   data added through messages goes beyond. If the buffer for a long line
//   cannot be grown, the line is bad with error 2 and the rest of it, up to
//   its line feed, is passed over (never taken as further lines).
// - A NUL byte ends the line's content; the bytes after it up to the line
//   feed are ignored.
// - Spaces and tabs are trimmed from both ends of the line, never from the
//   fields inside it ("C, Comment ,0,0,0" names the class " Comment ").
// - Numbers are lenient: leading white space is skipped; decimal fields take
//   an optional sign and the digits that follow, hexadecimal fields (the
//   colour) an optional 0x and the hex digits that follow; reading stops at
//   the first other character, no digits read as 0, and a value wider than
//   32 bits keeps its low 32 bits (so every value the writer's %d gives,
//   negative ones included, reads back as the same 32 bits). Case sensitive
//   and autocase keep the low 8 bits, and so do the range flags.
// - Names longer than 79 characters are cut by the model. A range with an
//   empty start text is refused by the model (error 105), so such a line is
//   bad.
// - A style line that fails leaves no current style: the class lines after
//   it are bad (102) and the range and symbol lines bad (106) until the next
//   style line, instead of joining the style before it.
// - The bad-line flag is set for every bad line, in both modes; the error of
//   the last bad line is the control's last error when reading ends.
//
// Writing: binary mode with CR LF written out, so the bytes are the same
// natively and on Windows. Every line is written whole, however long.
//
// What a write and a read do not keep. The format has no quoting and the
// reader trims the ends of lines, so a comma, CR or LF in any text, and a
// blank at the end of a text that ends a line (a style's additional
// characters, the name of a style without them, a symbol) would not come
// back as written. The style messages refuse such texts where they enter
// (see style_model.h), as they refuse a range or symbol whose class its
// style does not hold, which would not be written, and a case-sensitive
// value beyond 8 bits. So whatever the set holds comes back the same, but
// for what the format gives up: identifiers are numbered afresh, ranges
// come back grouped by class, and the symbols that share a first letter
// come back in reverse order.
#pragma once

namespace scrivlet {

// Reads a style file into the style set. With replace the set is cleared
// once the file is open; otherwise the styles are added. With
// stopAtFirstError reading ends at the first bad line with result 0 (the
// styles read before it stay); otherwise bad lines are skipped and the result
// is 1. A file that cannot be opened gives 0 with error 100 and the set
// unchanged. *hadBadLine (may be null) tells whether any line was bad.
int ReadStyleFile(const char *path, bool replace, bool stopAtFirstError, bool *hadBadLine);

// Writes the whole set, oldest style first, in place of the file. The old
// file is replaced only once the new one was written whole: gives 1, or 0
// with error 101 and the old file untouched when the new one could not be
// created, written or put in its place.
int WriteStyleFile(const char *path);

} // namespace scrivlet
