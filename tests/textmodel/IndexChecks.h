#pragma once
// Checks of the row index against a plain walk over the rows, shared by the text-model tests.
#include <gtest/gtest.h>

#include <random>

#include "StoreModel.h"

namespace ql::test {

// Every lookup agrees with a walk from the first row (see StoreDisagreement), for every row of
// a short text and for probes rows of a long one.
inline void ExpectIndexAgrees(const TTextStore& store, std::mt19937& rng, size_t probes = 200) {
  ASSERT_EQ(StoreDisagreement(store, &rng, probes), "");
}

}  // namespace ql::test
