// The operator levels: sums, products, divisions, the tensor product, Solve, powers and the
// polynomial product.
#include <cmath>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "linalg.h"
#include "matrix_cases.h"

class ClCalculatorOperators : public ::testing::Test {
protected:
    void SetUp() override { resetEngine(); }

    static void setVariable(eTOKEN eVariable, const Matrix& m) { ClCalculator::mp_mVariable[eVariable] = m; }
};

// Lines whose output is pinned by tests/batch/operators are left to it.
TEST_F(ClCalculatorOperators, ValuesAndErrors) {
    checkLines({
        // Sums and differences.
        {"1 - [1, 2]", eE_NONE, mat({{0, -1}})},
        {"[1, 2; 3, 4] + [10, 20; 30, 40]", eE_NONE, mat({{11, 22}, {33, 44}})},
        {"[1, 2] - [1, 2] - [1, 2]", eE_NONE, mat({{-1, -2}})},   // left to right
        {"1 - 2 + 3", eE_NONE, mat({{2}})},
        {"i + [1, 2]", eE_NONE, mat({{1.0 + gc_zI, 2.0 + gc_zI}})},
        {"[5: 7] - [1: 3]", eE_NONE, mat({{4, 4, 4}})},
        {"[1, 2] - [1, 2, 3]", eE_MATRIX_SIZE_MISMATCH},
        {"[1, 2] + [1, 2; 3, 4]", eE_MATRIX_SIZE_MISMATCH},
        {"[1: 262145] + 1", eE_MATRIX_SIZE},             // the first term is too large
        {"1 + [1, 2] * [3, 4]", eE_MATRIX_SIZE_MISMATCH},          // the term's error, not a second one
        // Products and divisions.
        {"3 * [1, 2]", eE_NONE, mat({{3, 6}})},
        {"[1, 2; 3, 4] * [5; 6]", eE_NONE, mat({{17}, {39}})},
        {"[1, 2] * [3; 4]", eE_NONE, mat({{11}})},
        {"[1; 2] * [3, 4]", eE_NONE, mat({{3, 4}, {6, 8}})},
        {"i * [1, i]", eE_NONE, mat({{gc_zI, -1}})},
        {"[2, 4] / 2", eE_NONE, mat({{1, 2}})},
        {"[2, 4] / (2i)", eE_NONE, mat({{-gc_zI, -2.0 * gc_zI}})},
        {"2 \\ [2, 4]", eE_NONE, mat({{1, 2}})},
        {"[1, 2; 3, 4] \\ [1, 2; 3, 4]", eE_NONE, mat({{1, 0}, {0, 1}})},
        {"[1, 2]. * [3, 4]", eE_NONE, mat({{3, 8}})},
        {"[4, 8]. / [2, 2]", eE_NONE, mat({{2, 4}})},
        {"2 X [1, 2]", eE_NONE, mat({{2, 4}})},
        {"[1, 2] X i", eE_NONE, mat({{gc_zI, 2.0 * gc_zI}})},
        {"12 / 2 / 3", eE_NONE, mat({{2}})},                   // left to right
        {"2 * 3 + 4 * 5", eE_NONE, mat({{26}})},               // products bind tighter than sums
        {"[1, 2] * [3; 4] X [1, 1]", eE_NONE, mat({{11, 11}})},
        {"3. / [1, 2]", eE_MATRIX_SIZE_MISMATCH},   // no scalar expansion for element-wise operators
        {"[1, 2]. \\ [1; 2]", eE_MATRIX_SIZE_MISMATCH},
        {"[1, 2] * [1, 2]", eE_MATRIX_SIZE_MISMATCH},
        {"[1, 2, 3] / [1, 2; 3, 4]", eE_MATRIX_SIZE_MISMATCH},
        {"[1, 2] \\ 1", eE_NON_SQUARE_MATRIX},
        {"[1, 2; 3, 4] \\ [1; 2; 3]", eE_MATRIX_SIZE_MISMATCH},
        {"[1; 1] / [1, 2; 2, 4]", eE_MATRIX_SIZE_MISMATCH},
        {"[1, 1] / [1, 2; 2, 4]", eE_SINGULAR_MATRIX},
        {"[0, 0; 0, 0] \\ [1; 1]", eE_SINGULAR_MATRIX},
        {"B * [1, 2]", eE_EMPTY_MATRIX},
        {"[1, 2] * B", eE_EMPTY_MATRIX},
        {"[1, 2] * [3, 4] + 1 / [1, 2; 3, 4]", eE_MATRIX_SIZE_MISMATCH},
        {"[1, 2; 2, 4] \\ [1; 1] * [1, 2, 3]", eE_SINGULAR_MATRIX},
        // Solve: the minimum-norm least-squares solution; it groups to the right, and its right
        // operand is a whole binary level.
        {"[1, 2; 3, 4] Solve [5; 6]", eE_NONE, mat({{-4}, {4.5}})},
        {"[1; 1] Solve [1; 3]", eE_NONE, mat({{2}})},                   // least squares: the mean
        {"[1, 1] Solve 2", eE_NONE, mat({{1}, {1}})},                   // minimum norm
        {"2 Solve [4, 6]", eE_NONE, mat({{2, 3}})},
        {"i Solve 1", eE_NONE, mat({{-gc_zI}})},
        {"[1, 0; 0, 1E - 17] Solve [1; 1]", eE_NONE, mat({{1}, {0}})},  // below the tolerance: dropped
        {"[1, 0; 0, 1E - 15] Solve [1; 1]", eE_NONE, mat({{1}, {1e15}})},   // above it: kept, huge
        {"[1, 0; 0, 2] Solve [2; 4] * 3", eE_NONE, mat({{6}, {6}})},
        {"[1, 2] Solve [1; 2]", eE_EXPRESSION},
        {"[1; 2] Solve 1", eE_EXPRESSION},
        {"[1; 2] Solve B", eE_EMPTY_MATRIX},
        {"[1, 2] Solve [1; 2] + 1 / 0", eE_EXPRESSION},
        // Powers, entry by entry; a zero base gives 0 to a positive power, 1 to the power 0, and
        // no number to a negative or imaginary power.
        {"[1, 2; 3, 4] ^ 2", eE_NONE, mat({{1, 4}, {9, 16}})},   // no matrix power
        {"4 ^ 0.5", eE_NONE, mat({{2}})},
        {"i ^ 2", eE_NONE, mat({{-1}})},
        {"2 * 3 ^ 2", eE_NONE, mat({{18}})},
        {"[1, 1E - 17] ^ 0.5", eE_NONE, mat({{1, 0}})},          // the base is cleaned first
        {"0 ^ 0.5", eE_NONE, mat({{0}})},
        {"0 ^ 3", eE_NONE, mat({{0}})},
        {"0 ^ 2", eE_NONE, mat({{0}})},
        {"[0, 2] ^ [1 + i, 2]", eE_NONE, mat({{0, 4}})},
        {"0 ^ 0", eE_NONE, mat({{1}})},
        {"[0, 1, 2] ^ 0", eE_NONE, mat({{1, 1, 1}})},
        {"[0, 2] ^ [0, 0]", eE_NONE, mat({{1, 1}})},
        {"2 ^ [1, 2]", eE_EXPRESSION},
        {"[1, 2] ^ B", eE_EMPTY_MATRIX},
        {"[1, 2] ^ [1; 2] + 1 / 0", eE_EXPRESSION},
        {"0 ^  - 1", eE_INVALID_NUMBERS},
        {"0 ^ i", eE_INVALID_NUMBERS},
    }, true);
}

TEST_F(ClCalculatorOperators, AdditiveLevelAcceptsTheEntryLimit) {
    const Matrix m = valueOf("[1: 262144] + 1");
    ASSERT_EQ(m.size(), 262144);
    EXPECT_EQ(m(0, 262143), Complex(262145.0, 0.0));
}

TEST_F(ClCalculatorOperators, InvalidNumbersKeepTheValue) {
    for (const char* acLine : {"1 / 0", "[0, 1]. \\ [1, 2]", "Ln 0 + 1", "Ln [0, 1] Solve 1"}) {
        SCOPED_TRACE(acLine);
        g_uiError_Number = eE_NONE;
        EXPECT_FALSE(evaluate(acLine));
        EXPECT_EQ(g_uiError_Number, eE_INVALID_NUMBERS);
        EXPECT_GT(ClCalculator::mp_mParser_Output.rows(), 0);   // kept for the driver to show
        EXPECT_FALSE(isNumber(ClCalculator::mp_mParser_Output));
    }
    // The non-finite value is kept by the additive level itself.
    setLine(displayToCodes("[1, 2]. / [0, 1] + 1"));
    ASSERT_TRUE(ClCalculator::tLexer());
    lg_uiNext_Token = 0;
    const Matrix m = ClCalculator::expression();
    EXPECT_EQ(g_uiError_Number, eE_INVALID_NUMBERS);
    ASSERT_EQ(m.size(), 2);
    EXPECT_FALSE(std::isfinite(m(0, 0).real()));
    EXPECT_EQ(m(0, 1), Complex(3.0, 0.0));
}

TEST_F(ClCalculatorOperators, FailedLevelsReturnTheEmptyMatrix) {
    for (const char* acLine : {"[1, 2] + [1; 2]", "[1, 2] * [1, 2]", "[1, 2] \\ 1", "[1, 2] Solve [1; 2]",
                               "[1, 2] ^ [1, 2, 3]", "[1, 2; 2, 4] \\ [1; 1]"}) {
        SCOPED_TRACE(acLine);
        g_uiError_Number = eE_NONE;
        setLine(displayToCodes(acLine));
        ASSERT_TRUE(ClCalculator::tLexer());
        lg_uiNext_Token = 0;
        EXPECT_EQ(ClCalculator::expression().rows(), 0);
        EXPECT_NE(g_uiError_Number, eE_NONE);
    }
}

// --- The tensor product ----------------------------------------------------------------------

TEST_F(ClCalculatorOperators, TensorProduct) {
    setVariable(eT_A, Matrix::Ones(100, 100));
    setVariable(eT_u, Matrix::Ones(512, 1));
    setVariable(eT_v, Matrix::Ones(1, 512));
    setVariable(eT_w, Matrix::Ones(1, 513));
    checkLines({{"u X w", eE_EXPRESSION}, {"w X u", eE_EXPRESSION}, {"[1, 2] X B", eE_EMPTY_MATRIX}});
    EXPECT_EQ(valueOf("u X v").size(), 262144);   // exactly the entry limit

    const unsigned uiSeed = 1206;
    SCOPED_TRACE(uiSeed);
    const Matrix a = randomMatrix(3, 2, uiSeed), b = randomMatrix(2, 4, uiSeed + 1);
    setVariable(eT_A, a);
    setVariable(eT_B, b);
    const Matrix m = rawValueOf("A X B");
    ASSERT_EQ(m.rows(), 6);
    ASSERT_EQ(m.cols(), 8);
    for (Eigen::Index i = 0; i < 6; ++i)
        for (Eigen::Index j = 0; j < 8; ++j) EXPECT_EQ(m(i, j), a(i / 2, j / 4) * b(i % 2, j % 4));
}

// --- Divisions and Solve on seeded random complex matrices -----------------------------------

// A \ B against A X = B, and C / A against X A = C.
// Note: through the inverse the residual is bounded by n eps |A| |inverse of A| |B|.
TEST_F(ClCalculatorOperators, DivisionsSolveTheirSystems) {
    for (unsigned uiSeed = 1; uiSeed <= 20; ++uiSeed) {
        const Eigen::Index n = 1 + uiSeed % 8, k = 1 + uiSeed % 3;
        SCOPED_TRACE("seed " + std::to_string(uiSeed) + ", n " + std::to_string(n));
        const Matrix a = randomMatrix(n, n, uiSeed), b = randomMatrix(n, k, uiSeed + 100);
        setVariable(eT_A, a);
        setVariable(eT_B, b);
        setVariable(eT_C, b.transpose());
        const double dTolerance =
            64.0 * static_cast<double>(n) * gc_dEPSILON * a.norm() * a.inverse().norm() * b.norm();
        EXPECT_LE((a * rawValueOf("A \\ B") - b).norm(), dTolerance);
        EXPECT_LE((rawValueOf("C / A") * a - b.transpose()).norm(), dTolerance);
    }
}

// Solve hands on the back-end's least-squares solution (its invariants: Linalg).
TEST_F(ClCalculatorOperators, SolveIsTheLeastSquaresSolution) {
    for (unsigned uiSeed = 1; uiSeed <= 4; ++uiSeed) {
        const Eigen::Index m = 1 + 2 * uiSeed % 7, n = 1 + (3 * uiSeed) % 5;
        SCOPED_TRACE("seed " + std::to_string(uiSeed) + ", " + std::to_string(m) + " x " + std::to_string(n));
        const Matrix a = randomMatrix(m, n, uiSeed), b = randomMatrix(m, 2, uiSeed + 100);
        setVariable(eT_A, a);
        setVariable(eT_B, b);
        expectClose(rawValueOf("A Solve B"), linalg::leastSquares(a, b), 1e-13);
    }
    // A rank-one matrix u v*: the pseudo-inverse solution v (u* b) / (|u|^2 |v|^2) is orthogonal
    // to the null space.
    const Matrix u = randomMatrix(4, 1, 7), v = randomMatrix(3, 1, 8), b = randomMatrix(4, 1, 9);
    setVariable(eT_A, u * v.adjoint());
    setVariable(eT_B, b);
    expectClose(rawValueOf("A Solve B"), v * (u.adjoint() * b) / (u.squaredNorm() * v.squaredNorm()), 1e-13);
}

// --- Powers ----------------------------------------------------------------------------------

// An exponent of exactly 2 + 0i squares: no imaginary residue from exp(2 log z).
TEST_F(ClCalculatorOperators, SquaringIsExact) {
    for (const char* acLine : {"( - 3) ^ 2", "( - 3) ^ (2 + 1E - 40i)", "( - 3) ^ [2]"}) {
        SCOPED_TRACE(acLine);
        const Matrix m = rawValueOf(acLine);
        ASSERT_EQ(m.size(), 1);
        EXPECT_EQ(m(0, 0).real(), 9.0);
        EXPECT_EQ(m(0, 0).imag(), 0.0);
    }
    const Matrix m = rawValueOf("[ - 3, 1.1] ^ [2, 2]");
    EXPECT_EQ(m(0, 0), Complex(9.0, 0.0));
    EXPECT_EQ(m(0, 1), Complex(1.1 * 1.1, 0.0));
    // Any other exponent is the principal power exp(w log z).
    const Matrix mCube = rawValueOf("( - 3) ^ 3");
    EXPECT_NEAR(mCube(0, 0).real(), -27.0, 1e-13);
    EXPECT_NE(mCube(0, 0).imag(), 0.0);
}

// --- The polynomial product ------------------------------------------------------------------

TEST_F(ClCalculatorOperators, PolyMultiply) {
    expectClose(ClCalculator::polyMultiply(mat({{1, 1}}), mat({{1, -1}})), mat({{1, 0, -1}}));
    expectClose(ClCalculator::polyMultiply(mat({{2}}), mat({{1, 2, 3}})), mat({{2, 4, 6}}));
    expectClose(ClCalculator::polyMultiply(mat({{1, gc_zI}}), mat({{1, -gc_zI}})), mat({{1, 0, 1}}));
    EXPECT_EQ(ClCalculator::polyMultiply(mat({{1}, {1}}), mat({{1, 1}})).rows(), 0);   // a column
    EXPECT_EQ(ClCalculator::polyMultiply(mat({{1, 1}}), mat({{1, 1}, {1, 1}})).rows(), 0);
    EXPECT_EQ(ClCalculator::polyMultiply(Matrix(1, 0), mat({{1, 1}})).rows(), 0);     // no coefficients
    EXPECT_EQ(ClCalculator::polyMultiply(Matrix(), mat({{1}})).rows(), 0);
    EXPECT_EQ(ClCalculator::polyMultiply(Matrix::Ones(1, 262142), mat({{1}})).cols(), 262142);
    EXPECT_EQ(ClCalculator::polyMultiply(Matrix::Ones(1, 262143), mat({{1}})).rows(), 0);
    EXPECT_EQ(g_uiError_Number, eE_NONE);   // no error of its own

    // On random factors the product's values are the products of the factors' values.
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
}
