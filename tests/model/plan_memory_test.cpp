#include "model/plan_memory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "model/run_state.h"

namespace scenario {
namespace {

// Sizes around the 512 KB threshold and around whole 2 MB pages: every byte
// asked for is usable, and blocks on large pages start on a 2 MB boundary.
TEST(PlanMemory, EveryBlockIsWholeAndLargeOnesSitOnLargePages) {
#if defined(__linux__) && !defined(__SANITIZE_ADDRESS__)
  EXPECT_TRUE(blocco_su_pagine_grandi(size_t(512) << 10));
#endif
  EXPECT_FALSE(blocco_su_pagine_grandi((size_t(512) << 10) - 1));
  for (size_t bytes : {size_t(1), size_t(4096), (size_t(512) << 10) - 1, size_t(512) << 10, size_t(966012),
                       size_t(2) << 20, (size_t(2) << 20) + 1, size_t(12084012)}) {
    auto* p = static_cast<unsigned char*>(alloca_piano(bytes));
    ASSERT_NE(p, nullptr) << bytes;
    std::memset(p, 0xA5, bytes);
    EXPECT_EQ(p[bytes - 1], 0xA5) << bytes;
    if (blocco_su_pagine_grandi(bytes)) {
      EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % (size_t(2) << 20), 0u) << bytes;
    }
    libera_piano(p, bytes);
  }
}

// The plan's axes behave as ordinary vectors: grown, copied, moved, cleared.
TEST(PlanMemory, AnAxisGrowsCopiesAndMovesLikeAVector) {
  AssePiano asse;
  for (int i = 0; i < 100000; ++i) asse.push_back(ValorePiano::di_intero(int16_t(i % 1000)));
  AssePiano copia = asse;
  AssePiano spostato = std::move(asse);
  ASSERT_EQ(copia.size(), 100000u);
  ASSERT_EQ(spostato.size(), 100000u);
  EXPECT_EQ(copia[99999].intero(), 999);
  EXPECT_EQ(spostato[12345].intero(), 345);
  copia.clear();
  copia.shrink_to_fit();
  EXPECT_TRUE(copia.empty());
}

}  // namespace
}  // namespace scenario
