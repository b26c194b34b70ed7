#include "model/plan_memory.h"

#include <cstdint>
#include <cstring>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace scenario {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitizer = true;
#else
constexpr bool kSanitizer = false;
#endif
#else
constexpr bool kSanitizer = false;
#endif

#if defined(__linux__) && defined(MADV_HUGEPAGE)
constexpr bool kPagineGrandi = !kSanitizer;
#else
constexpr bool kPagineGrandi = false;
#endif

constexpr size_t kPaginaGrande = size_t(2) << 20;
constexpr size_t kSoglia = size_t(512) << 10;

size_t arrotonda(size_t bytes) { return (bytes + kPaginaGrande - 1) & ~(kPaginaGrande - 1); }

}  // namespace

bool blocco_su_pagine_grandi(size_t bytes) { return kPagineGrandi && bytes >= kSoglia; }

void* alloca_piano(size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  if (blocco_su_pagine_grandi(bytes)) {
    // Map one large page more than needed, then give back the unaligned ends.
    const size_t dimensione = arrotonda(bytes);
    void* grezzo =
        ::mmap(nullptr, dimensione + kPaginaGrande, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (grezzo == MAP_FAILED) throw std::bad_alloc();
    const auto inizio = reinterpret_cast<uintptr_t>(grezzo);
    const uintptr_t allineato = (inizio + kPaginaGrande - 1) & ~(kPaginaGrande - 1);
    if (allineato > inizio) ::munmap(grezzo, allineato - inizio);
    const uintptr_t coda = inizio + dimensione + kPaginaGrande - (allineato + dimensione);
    if (coda > 0) ::munmap(reinterpret_cast<void*>(allineato + dimensione), coda);
    ::madvise(reinterpret_cast<void*>(allineato), dimensione, MADV_HUGEPAGE);  // only a hint
    return reinterpret_cast<void*>(allineato);                                 // fresh pages: zero already
  }
#endif
  return std::memset(::operator new(bytes), 0, bytes);
}

void libera_piano(void* p, size_t bytes) {
  if (p == nullptr) return;
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  if (blocco_su_pagine_grandi(bytes)) return void(::munmap(p, arrotonda(bytes)));
#endif
  ::operator delete(p);
}

}  // namespace scenario
