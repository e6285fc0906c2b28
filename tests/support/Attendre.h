#pragma once
// A wait that fails the test case when it times out. The toolkit's own
// waiting macros report to the toolkit's own test log and return: inside a GoogleTest
// case the rest of the case is skipped and the case passes.
#include <QTest>
#include <gtest/gtest.h>

// ATTENDRE(condition, ms) << "what was awaited";
// Processes events until `condition` holds; past `ms` milliseconds the case
// fails and the enclosing function (returning void) returns.
#define ATTENDRE(condition, ms)                                                                    \
    ASSERT_TRUE(QTest::qWaitFor([&] { return static_cast<bool>(condition); }, ms))
