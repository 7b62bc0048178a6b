// SPDX-License-Identifier: GPL-3.0-or-later
// The operators on seeded random complex matrices, exact squares, the polynomial product and the
// line's work budget; the values and errors of lines are pinned by tests/batch/operator_levels.
#include <string>

#include <gtest/gtest.h>

#include "linalg.h"
#include "matrix_cases.h"

class ClCalculatorOperators : public ::testing::Test {
protected:
    void SetUp() override { resetEngine(); }

    static void setVariable(eTOKEN eVariable, const Matrix& m) { ClCalculator::mp_mVariable[eVariable] = m; }
};

// A \ B against A X = B, and C / A against X A = C; Solve hands on the back-end's least-squares
// solution (its invariants: Linalg), also for shapes that are not square; X is the tensor product.
// Note: through the inverse the residual is bounded by n eps |A| |inverse of A| |B|.
TEST_F(ClCalculatorOperators, RandomOperands) {
    for (unsigned uiSeed = 1; uiSeed <= 20; ++uiSeed) {
        const Eigen::Index n = 1 + uiSeed % 8, k = 1 + uiSeed % 3, m = 1 + 2 * uiSeed % 7;
        SCOPED_TRACE("seed " + std::to_string(uiSeed) + ", n " + std::to_string(n) + ", m " + std::to_string(m));
        const Matrix a = randomMatrix(n, n, uiSeed), b = randomMatrix(n, k, uiSeed + 100);
        setVariable(eT_A, a);
        setVariable(eT_B, b);
        setVariable(eT_C, b.transpose());
        const double dTolerance =
            64.0 * static_cast<double>(n) * gc_dEPSILON * a.norm() * a.inverse().norm() * b.norm();
        EXPECT_LE((a * rawValueOf("A \\ B") - b).norm(), dTolerance);
        EXPECT_LE((rawValueOf("C / A") * a - b.transpose()).norm(), dTolerance);
        const Matrix mTall = randomMatrix(m, n, uiSeed + 200), mRight = randomMatrix(m, 2, uiSeed + 300);
        setVariable(eT_P, mTall);
        setVariable(eT_Q, mRight);
        expectClose(rawValueOf("P Solve Q"), linalg::leastSquares(mTall, mRight), 1e-13);
        const Matrix mTensor = rawValueOf("C X Q");
        ASSERT_TRUE(mTensor.rows() == k * m && mTensor.cols() == n * 2);
        for (Eigen::Index i = 0; i < mTensor.rows(); ++i)
            for (Eigen::Index j = 0; j < mTensor.cols(); ++j)
                ASSERT_EQ(mTensor(i, j), b(j / 2, i / m) * mRight(i % m, j % 2)) << i << ", " << j;
    }
    // A rank-one matrix u v*: the pseudo-inverse solution v (u* b) / (|u|^2 |v|^2) is orthogonal
    // to the null space.
    const Matrix u = randomMatrix(4, 1, 7), v = randomMatrix(3, 1, 8), b = randomMatrix(4, 1, 9);
    setVariable(eT_A, u * v.adjoint());
    setVariable(eT_B, b);
    expectClose(rawValueOf("A Solve B"), v * (u.adjoint() * b) / (u.squaredNorm() * v.squaredNorm()), 1e-13);
}

// An exponent of exactly 2 + 0i squares: no residue from exp(2 log z), in either part.
TEST_F(ClCalculatorOperators, SquaringIsExact) {
    const std::pair<const char*, Matrix> aCASES[] = {{"( - 3) ^ 2", mat({{9}})},
                                                     {"( - 3) ^ (2 + 1E - 40i)", mat({{9}})},
                                                     {"( - 3) ^ [2]", mat({{9}})},
                                                     {"[ - 3, 1.1] ^ [2, 2]", mat({{9, 1.1 * 1.1}})}};
    for (const auto& testCase : aCASES) EXPECT_EQ(rawValueOf(testCase.first), testCase.second) << testCase.first;
}

// The product's values are the products of the factors' values; a factor that is no row of
// coefficients, or a product past the entry limit, gives the empty matrix, without an error.
TEST_F(ClCalculatorOperators, PolyMultiply) {
    const Matrix p = randomMatrix(1, 5, 11), q = randomMatrix(1, 3, 12);
    const Matrix r = ClCalculator::polyMultiply(p, q);
    ASSERT_EQ(r.cols(), 7);
    const auto horner = [](const Matrix& c, Complex x) {
        Complex y(0.0, 0.0);
        for (Eigen::Index i = 0; i < c.cols(); ++i) y = y * x + c(0, i);
        return y;
    };
    for (const Complex x : {Complex(0.5, 0.0), Complex(-1.0, 2.0), Complex(0.0, -0.75)})
        EXPECT_LE(std::abs(horner(r, x) - horner(p, x) * horner(q, x)), 1e-13 * std::abs(horner(r, x)) + 1e-14);
    expectClose(ClCalculator::polyMultiply(q, p), r);
    expectClose(ClCalculator::polyMultiply(mat({{2}}), mat({{1, 2, 3}})), mat({{2, 4, 6}}));
    EXPECT_EQ(ClCalculator::polyMultiply(Matrix::Ones(1, 262142), mat({{1}})).cols(), 262142);
    const std::pair<Matrix, Matrix> aEMPTY[] = {{mat({{1}, {1}}), mat({{1, 1}})},   // a column
                                                {mat({{1, 1}}), mat({{1, 1}, {1, 1}})},
                                                {Matrix(1, 0), mat({{1, 1}})},      // no coefficients
                                                {Matrix(), mat({{1}})},
                                                {Matrix::Ones(1, 262143), mat({{1}})}};   // past the entry limit
    for (const auto& factors : aEMPTY) EXPECT_EQ(ClCalculator::polyMultiply(factors.first, factors.second).rows(), 0);
    EXPECT_EQ(g_uiError_Number, eE_NONE);
}

// Products, divisions, Solve, QR and the spectral norm draw on the line's budget, counted before
// they run; a poll that asks to stop (Escape in a repetition) ends the line there.
TEST_F(ClCalculatorOperators, HeavyOperatorsDrawOnTheLineBudget) {
    const std::pair<const char*, double> aCASES[] = {
        {"O(3,4)*O(4,5)", 60},     {"O(3,4)*2", 0},          {"O(2,3)/d(3)", 27 + 18},   {"d(3)\\O(3,2)", 27 + 18},
        {"O(4,3)GO(4,2)", 4 * 36 + 24}, {"|(O(4,3))", 2 * 36}, {"N(2,O(4,3))", 8 * 36}};
    for (const auto& testCase : aCASES) {
        setLine(testCase.first);
        EXPECT_TRUE(ClCalculator::tLexer() && ClCalculator::tParser()) << testCase.first;
        EXPECT_EQ(g_dLine_Work, testCase.second) << testCase.first;
    }
    g_pfnWork_Poll = [] { return true; };
    EXPECT_TRUE(evaluate("Ones(2) + 1"));
    EXPECT_FALSE(evaluate("Ones(2) * Ones(2)"));
    EXPECT_EQ(g_uiError_Number, eE_RPT_LIMIT_EXCEEDED);
    g_pfnWork_Poll = nullptr;
}
