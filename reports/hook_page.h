// The hook size page, "baithook.htm": an HTML table with a row per bait in
// catalogue order, rebuilt on every run.
#pragma once

#include <string>
#include <string_view>

#include "catalogue/bait_record.h"

// The page's file name, relative to the working directory.
constexpr const char* kHookPageFile = "baithook.htm";

// Deletes an earlier page (a file or link of that name, never a directory;
// a missing one is fine), or empties it when it cannot be deleted; then
// appends the head and the header row. When an earlier page can be neither
// deleted nor emptied (or is a directory), nothing is written to it in this
// run and every fragment of the page counts as lost.
void writePageHead();

// Appends the eight lines of `record`'s row: name, class, number of sizes and
// four ideal hook sizes ("N.A" for a bait that is not a hook bait).
void writePageRow(const BaitRecord& record);

// Appends the closing line.
void writePageFoot();

// The class name shown for `classType`, or "" for a value outside 1 to 10.
const char* className(std::int16_t classType);

// `text` with "&", "<", ">" and '"' written as HTML entities, so that a bait
// name shows as the literal text it is. Replaces the content of `out`.
void escapeHtml(std::string_view text, std::string& out);
