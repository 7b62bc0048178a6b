// Regression tests for the faults found by the line fuzzer and by review of the engine's bounds:
// every line must end in a value or an error, within the line's own bounds.
#include <gtest/gtest.h>

#include "engine_state.h"
#include "line_codes.h"

#ifdef ORBEX_LAPACK
#include <sys/mman.h>
#include <unistd.h>
#define lapack_complex_float std::complex<float>
#define lapack_complex_double std::complex<double>
#include <lapacke.h>
#endif

namespace {

class ClCalculatorHardening : public ::testing::Test {
protected:
    void SetUp() override { resetEngine(); }
};

#ifdef ORBEX_LAPACK
// OpenBLAS's bidiagonal reduction (zgebrd, behind zgesdd and zgelsd) reads up to a column past
// the end of its matrix, which faulted in the fuzzer; the engine's work copies carry a spare
// column. This holds the library to that bound: the matrix and its spare column end right
// before an unreadable page.
TEST_F(ClCalculatorHardening, BidiagonalReductionReadsNoFurtherThanTheSpareColumn) {
    const std::size_t uiPage = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    for (const lapack_int n : {16, 64, 100, 511}) {
        SCOPED_TRACE(n);
        const std::size_t uiBytes = sizeof(Complex) * static_cast<std::size_t>(n) * static_cast<std::size_t>(n + 1);
        const std::size_t uiMapped = (uiBytes + uiPage - 1) / uiPage * uiPage;
        void* pvMap = mmap(nullptr, uiMapped + uiPage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        ASSERT_NE(pvMap, MAP_FAILED);
        ASSERT_EQ(mprotect(static_cast<char*>(pvMap) + uiMapped, uiPage, PROT_NONE), 0);
        Complex* pzMatrix = reinterpret_cast<Complex*>(static_cast<char*>(pvMap) + uiMapped - uiBytes);
        Eigen::Map<Matrix>(pzMatrix, n, n) = Matrix::Random(n, n);
        Eigen::VectorXd vSingular(n);
        Complex zUnused;
        EXPECT_EQ(LAPACKE_zgesdd(LAPACK_COL_MAJOR, 'N', n, n, pzMatrix, n, vSingular.data(), &zUnused, 1, &zUnused, 1),
                  0);
        munmap(pvMap, uiMapped + uiPage);
    }
}
#endif

}  // namespace
