// The file list as tab-separated text, one row per line: path, title, output name, interval
// and result. The window exchanges it with the clipboard (as code-page-932 text); the console
// program reads rows from a file in the same form.
#pragma once

#include "chimewright/app/file_list.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace cw {

// "%s\t%s\t%s\t%5d\t%5d\r\n" per row; the result is 0 for a row that has none.
std::string listExportText(const FileList& list);

// Rows of such text. A TAB ends a field, a LF a row, a NUL the text; the first four fields
// count (path, title and output name of at most 64 characters, interval as an integer of at
// most 16 characters). Each field ends at its first control character, so a CR LF line
// ending leaves nothing behind. An empty output name takes the title; a row whose path has
// fewer than 5 characters is dropped.
std::vector<FileRow> parseListText(std::string_view text);

} // namespace cw
