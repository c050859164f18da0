// The program with every heap allocation of its run counted, one of them
// made to fail, for the allocation-failure sweep:
//
//   banalyse_allocation_faults FAIL_AT COUNT_FILE
//
// runs banalyse in the working directory exactly as its main does, with the
// FAIL_AT-th allocation (counted from the start of the run, 1 for the first)
// failing as exhausted memory fails it; 0 fails none. Then writes the number
// of allocations the run made to COUNT_FILE, and exits with the run's status.
// Every allocation of the tool, the C++ library and the tests' own code goes
// through operator new, replaced here; the sanitizers still see each block,
// through malloc.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <new>

#include "driver/run.h"

namespace {

bool counting = false;
unsigned long long allocations = 0;
unsigned long long failAt = 0;

void* allocate(std::size_t size) noexcept {
  if (counting && ++allocations == failAt) {
    return nullptr;
  }
  return std::malloc(size == 0 ? 1 : size);
}

void* allocateOrThrow(std::size_t size) {
  void* block = allocate(size);
  if (block == nullptr) {
    throw std::bad_alloc();
  }
  return block;
}

}  // namespace

void* operator new(std::size_t size) { return allocateOrThrow(size); }
void* operator new[](std::size_t size) { return allocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }

int main(int argc, char** argv) {
  if (argc != 3) {
    (void)std::fputs("usage: banalyse_allocation_faults FAIL_AT COUNT_FILE\n", stderr);
    return 2;
  }
  failAt = std::strtoull(argv[1], nullptr, 10);
  counting = true;
  const int status = runProgram();
  counting = false;
  char count[32];
  const int length = std::snprintf(count, sizeof count, "%llu\n", allocations);
  const int file = open(argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (file < 0 || length <= 0 || write(file, count, static_cast<std::size_t>(length)) != length ||
      close(file) != 0) {
    return 2;
  }
  return status;
}
