// Reading one bait definition file: into the record at the head of baitList
// for the catalogue (loadBaitFile), or into any record for tools that explain
// a file (readBaitFile).
#pragma once

#include <cstddef>
#include <cstdint>

#include "catalogue/bait_record.h"

// The last value read from a bait file, NUL-terminated, at most 255 bytes;
// valid until the next readProfileValue.
constexpr std::size_t kValueBufferSize = 256;
extern char valueBuffer[kValueBufferSize];

// Reads `key` of `section` from the profile file `fileName` into valueBuffer
// and returns valueBuffer: the key's value, or `defaultText` when the file,
// section or key is missing.
const char* readProfileValue(const char* section, const char* key, const char* defaultText,
                             const char* fileName);

// Fills `record` from the bait file `fileName`, as the game reads it: its
// path and the 38 keys, each taking its default when missing, with the number
// of sizes raised to at least 1 and the small-bait factor lowered to at most
// 5.0. The nutrient and flavour profile is left as read (normaliseProfile
// scales it). Writes nothing; the texts the record held are replaced.
void readBaitFile(BaitRecord& record, const char* fileName);

// Fills the record at the head of baitList from the bait file `fileName`
// (readBaitFile), scales its profile to a total of about 400
// (normaliseProfile), then appends the record's block to the size analysis
// log. Returns 1; 0 only when baitList is empty and there is no record to
// fill.
std::int16_t loadBaitFile(const char* fileName);

// Scales the eleven profile entries so that they add up to 400 or a little
// less (each truncated toward zero); all become 0 when they add up to 0.
void normaliseProfile(BaitRecord& record);
