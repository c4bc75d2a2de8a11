#pragma once
// Reference-image checks for whole drawings: a rendered image is compared
// with an expected PNG kept beside the tests, within a small difference per
// colour channel. On a mismatch the expected, actual and difference images
// are written under the build folder and their paths reported. With
// ZOR_REGENERATE_REFERENCES=1 in the environment the expected image is
// rewritten from the actual one instead.

#include <QImage>
#include <QString>
#include <gtest/gtest.h>

namespace zor::testing {

// The largest difference of one channel (0..255) that still counts as equal.
inline constexpr int DefaultChannelTolerance = 2;

// Compares Actual with "<references folder>/<Name>.png". The references
// folder is "references" in the test's source folder (ZOR_TEST_DATA, which
// ctest sets); failures go to "<build>/reference-failures/".
::testing::AssertionResult MatchesReferenceImage(const QImage& Actual, const QString& Name,
                                                 int Tolerance = DefaultChannelTolerance);

// The same with explicit folders.
::testing::AssertionResult MatchesReferenceImage(const QImage& Actual, const QString& Name,
                                                 const QString& ReferenceFolder, const QString& FailureFolder,
                                                 int Tolerance = DefaultChannelTolerance);

// Per pixel the largest channel difference of A and B as a gray level,
// scaled up so that small differences show; both must have the same size.
QImage DifferenceImage(const QImage& A, const QImage& B);

} // namespace zor::testing
