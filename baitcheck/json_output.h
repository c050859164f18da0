// The JSON format: an array with one object per bait file,
//   {"path": ..., "values": {"Name": ..., ...}, "findings": [{"code": ...,
//    "line": ..., "message": ...}, ...]}
// one object to a line. Values as the game uses them, as in the CSV: texts
// as strings, numbers as numbers ("inf" or "-inf" for a real beyond the
// 32-bit range, which JSON numbers cannot hold), flags as true or false.
// "line" is null for a finding about the whole file. Texts that are not
// valid UTF-8 are read as Windows-1252, the game's own code page.
#pragma once

#include <string>

#include "baitcheck/finding.h"

// One file's object, without a line end.
std::string jsonObject(const FileReport& report);
