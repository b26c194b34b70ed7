#include "model/plan_memory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <stdexcept>

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

// A new row of the plan is all empty values, also where the memory it gets
// held other values a moment ago; copies and moves carry every value.
TEST(PlanMemory, ANewRowIsEmptyAndCopiesAndMovesWhole) {
  for (size_t n : {size_t(1), size_t(1000), size_t(100000), size_t(1200000)}) {
    SCOPED_TRACE(n);
    {
      AssePiano sporca(n);
      for (size_t i = 0; i < n; ++i) sporca.metti(i, ValorePiano::di_doppio(-1.5));
    }
    AssePiano asse(n);
    ASSERT_EQ(asse.size(), n);
    for (size_t i = 0; i < n; ++i) ASSERT_TRUE(asse[i].vuoto() && asse[i].doppio() == 0.0) << i;
    for (size_t i = 0; i < n; ++i) asse.metti(i, ValorePiano::di_intero(int16_t(i % 1000)));
    AssePiano copia = asse;
    AssePiano spostato = std::move(asse);
    EXPECT_TRUE(asse.empty());
    ASSERT_EQ(copia.size(), n);
    ASSERT_EQ(spostato.size(), n);
    EXPECT_EQ(copia[n - 1].intero(), int16_t((n - 1) % 1000));
    EXPECT_EQ(spostato[n / 2].intero(), int16_t((n / 2) % 1000));
    EXPECT_THROW(copia.metti(n, ValorePiano{}), std::out_of_range);
    EXPECT_THROW(copia.doppi(n - 1, 2), std::out_of_range);
    EXPECT_THROW(copia.doppi(n + 1, 0), std::out_of_range);
    EXPECT_EQ(copia.doppi(n, 0), copia.end());
    copia = AssePiano();
    EXPECT_TRUE(copia.empty());
  }
}

// The two rows made together share one block: each starts empty, neither
// reaches into the other, and either outlives the other.
TEST(PlanMemory, RowsMadeTogetherStayApartAndOutliveEachOther) {
  for (size_t n : {size_t(0), size_t(1), size_t(80501), size_t(1200000)}) {
    SCOPED_TRACE(n);
    auto [x, y] = AssePiano::coppia(n);
    ASSERT_EQ(x.size(), n);
    ASSERT_EQ(y.size(), n);
    if (n == 0) continue;
    for (size_t i = 0; i < n; ++i) ASSERT_TRUE(x[i].vuoto() && y[i].vuoto()) << i;
    ValorePiano* px = x.doppi(0, n);
    for (size_t i = 0; i < n; ++i) px[i] = ValorePiano::di_doppio(-1.5);
    EXPECT_TRUE(y[0].vuoto());
    for (size_t i = 0; i < n; ++i) y.metti(i, ValorePiano::di_intero(int16_t(i % 1000)));
    EXPECT_EQ(x[n - 1].doppio(), -1.5);
    AssePiano resta = std::move(y);
    x = AssePiano();
    EXPECT_EQ(resta[n - 1].intero(), int16_t((n - 1) % 1000));
    EXPECT_EQ(resta[0].intero(), 0);
  }
}

}  // namespace
}  // namespace scenario
