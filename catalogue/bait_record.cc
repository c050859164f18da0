#include "catalogue/bait_record.h"

#include <cstring>
#include <new>

#include "platform/ascii_case.h"

BaitRecord* baitList = nullptr;

OwnedText copyString(const char* text) {
  const std::size_t size = std::strlen(text) + 1;
  OwnedText copy(new (std::nothrow) char[size]);
  if (copy) {
    std::memcpy(copy.get(), text, size);
  }
  return copy;
}

const char* textOf(const OwnedText& text) { return text ? text.get() : ""; }

BaitRecord* newBaitRecord() {
  auto* record = new (std::nothrow) BaitRecord;
  if (record == nullptr) {
    return nullptr;
  }
  initBaitRecord(*record);
  record->next = baitList;
  baitList = record;
  return record;
}

void initBaitRecord(BaitRecord& record) {
  constexpr char kDefaultRef[] = "DEFAULT";
  record.name.reset();
  record.ref.fill('\0');
  std::memcpy(record.ref.data(), kDefaultRef, sizeof kDefaultRef);
  record.path.reset();
  record.desc.reset();
  record.type = 1;
}

std::size_t countBaitsOfType(const BaitRecord* first, std::int8_t wanted) {
  std::size_t count = 0;
  for (const BaitRecord* record = first; record != nullptr; record = record->next) {
    if (record->type == wanted) {
      ++count;
    }
  }
  return count;
}

int compareBaitNames(const BaitRecord& a, const BaitRecord& b) {
  const char* left = textOf(a.name);
  const char* right = textOf(b.name);
  for (;; ++left, ++right) {
    const unsigned char l = foldToLower(*left);
    const unsigned char r = foldToLower(*right);
    if (l != r || l == 0) {
      return static_cast<int>(l) - static_cast<int>(r);
    }
  }
}

BaitRecord* sortBaitsByName(BaitRecord* first) {
  if (first == nullptr || countBaitsOfType(first, 2) + countBaitsOfType(first, 1) < 2) {
    return first;
  }
  // Bottom-up merge sort of the linked list: runs of `width` records are
  // merged pairwise, doubling the width until one run remains. Taking from
  // the left run on equal names keeps the sort stable, which gives exactly
  // the order of repeated adjacent exchanges of strictly greater names.
  BaitRecord* head = first;
  for (std::size_t width = 1;; width *= 2) {
    BaitRecord* left = head;
    head = nullptr;
    BaitRecord** tail = &head;
    std::size_t merges = 0;
    while (left != nullptr) {
      ++merges;
      BaitRecord* right = left;
      std::size_t leftSize = 0;
      while (leftSize < width && right != nullptr) {
        ++leftSize;
        right = right->next;
      }
      std::size_t rightSize = width;
      while (leftSize > 0 || (rightSize > 0 && right != nullptr)) {
        BaitRecord* taken = nullptr;
        if (leftSize > 0 &&
            (rightSize == 0 || right == nullptr || compareBaitNames(*left, *right) <= 0)) {
          taken = left;
          left = left->next;
          --leftSize;
        } else {
          taken = right;
          right = right->next;
          --rightSize;
        }
        *tail = taken;
        tail = &taken->next;
      }
      left = right;
    }
    *tail = nullptr;
    if (merges <= 1) {
      return head;
    }
  }
}

void freeBaitList(BaitRecord* first) {
  if (first == baitList) {
    baitList = nullptr;
  }
  while (first != nullptr) {
    BaitRecord* next = first->next;
    delete first;
    first = next;
  }
}
