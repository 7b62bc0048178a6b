// The operator levels: sums, products, divisions, the tensor product, Solve, powers and the
// polynomial product.
#include <cmath>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "engine_state.h"
#include "line_codes.h"

namespace {

const Complex gc_zI(0.0, 1.0);
constexpr double gc_dEPS = 2.220446049250313e-16;

/// Entries equal up to a few rounding errors relative to the expected matrix's size.
void expectClose(const Matrix& m, const Matrix& mExpected, double dRelative = 1e-14) {
    ASSERT_EQ(m.rows(), mExpected.rows());
    ASSERT_EQ(m.cols(), mExpected.cols());
    EXPECT_LE((m - mExpected).norm(), dRelative * std::max(1.0, mExpected.norm())) << "got\n" << m;
}

/// A random complex matrix with parts uniform in [-1, 1].
Matrix randomMatrix(std::mt19937& generator, Eigen::Index iRows, Eigen::Index iColumns) {
    std::uniform_real_distribution<double> part(-1.0, 1.0);
    Matrix m(iRows, iColumns);
    for (Eigen::Index i = 0; i < m.size(); ++i) m.data()[i] = Complex(part(generator), part(generator));
    return m;
}

struct ClValueCase {
    const char* acLine;
    Matrix mValue;
};

struct ClErrorCase {
    const char* acLine;
    int iError;
};

}  // namespace

class ClCalculatorOperators : public ::testing::Test {
protected:
    void SetUp() override { resetEngine(); }

    /// The raw value of a line: Zero Out off, so that the driver does not clean it.
    static Matrix rawValueOf(const std::string& line) {
        g_bZero_Out = false;
        const Matrix m = valueOf(line);
        g_bZero_Out = true;
        return m;
    }

    static void expectValues(std::initializer_list<ClValueCase> aCases, double dRelative = 1e-14) {
        for (const ClValueCase& testCase : aCases) {
            SCOPED_TRACE(testCase.acLine);
            expectClose(rawValueOf(testCase.acLine), testCase.mValue, dRelative);
        }
    }

    static void expectErrors(std::initializer_list<ClErrorCase> aCases) {
        for (const ClErrorCase& testCase : aCases) {
            SCOPED_TRACE(testCase.acLine);
            g_uiError_Number = 0;
            evaluate(testCase.acLine);
            EXPECT_EQ(g_uiError_Number, testCase.iError);
        }
    }

    static void setVariable(eTOKEN eVariable, const Matrix& m) { ClCalculator::mp_mVariable[eVariable] = m; }
};

// --- The additive level ----------------------------------------------------------------------

TEST_F(ClCalculatorOperators, AdditiveLevel) {
    expectValues({
        {"2 + [1, 2; 3, 4]", mat({{3, 4}, {5, 6}})},
        {"[1, 2] - 1", mat({{0, 1}})},
        {"1 - [1, 2]", mat({{0, -1}})},
        {"[1, 2; 3, 4] + [10, 20; 30, 40]", mat({{11, 22}, {33, 44}})},
        {"[1, 2] - [1, 2] - [1, 2]", mat({{-1, -2}})},   // left to right
        {"1 - 2 + 3", mat({{2}})},
        {"i + [1, 2]", mat({{1.0 + gc_zI, 2.0 + gc_zI}})},
        {"[5: 7] - [1: 3]", mat({{4, 4, 4}})},
    });
    expectErrors({
        {"[1, 2] + [1; 2]", 6},
        {"[1, 2] - [1, 2, 3]", 6},
        {"[1, 2] + [1, 2; 3, 4]", 6},
        {"[1: 262145] + 1", 19},             // the first term is too large
        {"1 + [1, 2] * [3, 4]", 6},          // the term's error, not a second one
        {"[1, 2] + [1; 2] + 1 / 0", 6},      // the first error of the line wins
    });
}

TEST_F(ClCalculatorOperators, AdditiveLevelAcceptsTheEntryLimit) {
    const Matrix m = valueOf("[1: 262144] + 1");
    ASSERT_EQ(m.size(), 262144);
    EXPECT_EQ(m(0, 262143), Complex(262145.0, 0.0));
}

TEST_F(ClCalculatorOperators, InvalidNumbersKeepTheValue) {
    for (const char* acLine : {"1 / 0", "[1, 2]. / [0, 1]", "[0, 1]. \\ [1, 2]", "Ln 0 + 1"}) {
        SCOPED_TRACE(acLine);
        g_uiError_Number = 0;
        EXPECT_FALSE(evaluate(acLine));
        EXPECT_EQ(g_uiError_Number, 12);
        EXPECT_GT(ClCalculator::mp_mParser_Output.rows(), 0);   // kept for the driver to show
        EXPECT_FALSE(isNumber(ClCalculator::mp_mParser_Output));
    }
    // The non-finite value is kept by the additive level itself.
    setLine(displayToCodes("[1, 2]. / [0, 1] + 1"));
    ASSERT_TRUE(ClCalculator::tLexer());
    lg_uiNext_Token = 0;
    const Matrix m = ClCalculator::expression();
    EXPECT_EQ(g_uiError_Number, 12);
    ASSERT_EQ(m.size(), 2);
    EXPECT_FALSE(std::isfinite(m(0, 0).real()));
    EXPECT_EQ(m(0, 1), Complex(3.0, 0.0));
}

TEST_F(ClCalculatorOperators, FailedLevelsReturnTheEmptyMatrix) {
    for (const char* acLine : {"[1, 2] + [1; 2]", "[1, 2] * [1, 2]", "[1, 2] \\ 1", "[1, 2] Solve [1; 2]",
                               "[1, 2] ^ [1, 2, 3]", "[1, 2; 2, 4] \\ [1; 1]"}) {
        SCOPED_TRACE(acLine);
        g_uiError_Number = 0;
        setLine(displayToCodes(acLine));
        ASSERT_TRUE(ClCalculator::tLexer());
        lg_uiNext_Token = 0;
        EXPECT_EQ(ClCalculator::expression().rows(), 0);
        EXPECT_NE(g_uiError_Number, 0);
    }
}

// --- The multiplicative level ------------------------------------------------------------------

TEST_F(ClCalculatorOperators, MultiplicativeLevel) {
    expectValues({
        {"[1, 2] * 3", mat({{3, 6}})},
        {"3 * [1, 2]", mat({{3, 6}})},
        {"[1, 2; 3, 4] * [5; 6]", mat({{17}, {39}})},
        {"[1, 2] * [3; 4]", mat({{11}})},
        {"[1; 2] * [3, 4]", mat({{3, 4}, {6, 8}})},
        {"i * [1, i]", mat({{gc_zI, -1}})},
        {"[2, 4] / 2", mat({{1, 2}})},
        {"[2, 4] / (2i)", mat({{-gc_zI, -2.0 * gc_zI}})},
        {"[5, 6] / [1, 2; 3, 4]", mat({{-1, 2}})},
        {"2 \\ [2, 4]", mat({{1, 2}})},
        {"[1, 2; 3, 4] \\ [5; 6]", mat({{-4}, {4.5}})},
        {"[1, 2; 3, 4] \\ [1, 2; 3, 4]", mat({{1, 0}, {0, 1}})},
        {"[1, 2]. * [3, 4]", mat({{3, 8}})},
        {"[4, 8]. / [2, 2]", mat({{2, 4}})},
        {"[2, 4]. \\ [4, 8]", mat({{2, 2}})},
        {"[1, 2] X [1; 1]", mat({{1, 2}, {1, 2}})},
        {"[1, 2; 3, 4] X [0, 1; 1, 0]", mat({{0, 1, 0, 2}, {1, 0, 2, 0}, {0, 3, 0, 4}, {3, 0, 4, 0}})},
        {"2 X [1, 2]", mat({{2, 4}})},
        {"[1, 2] X i", mat({{gc_zI, 2.0 * gc_zI}})},
        {"12 / 2 / 3", mat({{2}})},                   // left to right
        {"2 * 3 + 4 * 5", mat({{26}})},               // products bind tighter than sums
        {"[1, 2] * [3; 4] X [1, 1]", mat({{11, 11}})},
    });
    expectErrors({
        {"[1, 2]. * 3", 6},   // no scalar expansion for element-wise operators
        {"3. / [1, 2]", 6},
        {"[1, 2]. \\ [1; 2]", 6},
        {"[1, 2] * [1, 2]", 6},
        {"1 / [1, 2; 3, 4]", 6},   // a scalar over a matrix is not defined
        {"[1, 2] / [1, 2]", 9},
        {"[1, 2, 3] / [1, 2; 3, 4]", 6},
        {"[1, 2] \\ 1", 9},
        {"[1, 2; 3, 4] \\ [1; 2; 3]", 6},
        {"[1, 2; 2, 4] \\ [1; 1]", 10},
        {"[1; 1] / [1, 2; 2, 4]", 6},
        {"[1, 1] / [1, 2; 2, 4]", 10},
        {"[0, 0; 0, 0] \\ [1; 1]", 10},
        // The divisor of " \ " is checked before its right operand is read.
        {"[1, 2] \\ B", 9},
        {"[1, 2] \\ (1 / 0)", 9},
        {"B * [1, 2]", 24},
        {"[1, 2] * B", 24},
        {"[1, 2] * [3, 4] + 1 / [1, 2; 3, 4]", 6},
        {"[1, 2; 2, 4] \\ [1; 1] * [1, 2, 3]", 10},
    });
}

TEST_F(ClCalculatorOperators, TensorProductSizeLimit) {
    setVariable(eT_A, Matrix::Ones(100, 100));
    setVariable(eT_u, Matrix::Ones(512, 1));
    setVariable(eT_v, Matrix::Ones(1, 512));
    setVariable(eT_w, Matrix::Ones(1, 513));
    expectErrors({{"A X A", 8}, {"u X w", 8}, {"w X u", 8}, {"[1, 2] X B", 24}});
    const Matrix m = valueOf("u X v");   // exactly 262144 entries
    EXPECT_EQ(m.rows(), 512);
    EXPECT_EQ(m.cols(), 512);
}

TEST_F(ClCalculatorOperators, TensorProductOfRandomMatrices) {
    const unsigned uiSeed = 20261206;
    std::mt19937 generator(uiSeed);
    SCOPED_TRACE(uiSeed);
    const Matrix a = randomMatrix(generator, 3, 2), b = randomMatrix(generator, 2, 4);
    setVariable(eT_A, a);
    setVariable(eT_B, b);
    const Matrix m = rawValueOf("A X B");
    ASSERT_EQ(m.rows(), 6);
    ASSERT_EQ(m.cols(), 8);
    for (Eigen::Index i = 0; i < 6; ++i)
        for (Eigen::Index j = 0; j < 8; ++j) EXPECT_EQ(m(i, j), a(i / 2, j / 4) * b(i % 2, j % 4));
}

// A \ B against A X = B, and C / A against X A = C, for seeded random complex matrices.
// Note: through the inverse the residual is bounded by n eps |A| |inverse of A| |B|.
TEST_F(ClCalculatorOperators, DivisionsSolveTheirSystems) {
    for (unsigned uiSeed = 1; uiSeed <= 20; ++uiSeed) {
        std::mt19937 generator(uiSeed);
        const Eigen::Index n = 1 + uiSeed % 8, k = 1 + uiSeed % 3;
        SCOPED_TRACE("seed " + std::to_string(uiSeed) + ", n " + std::to_string(n));
        const Matrix a = randomMatrix(generator, n, n), b = randomMatrix(generator, n, k);
        setVariable(eT_A, a);
        setVariable(eT_B, b);
        setVariable(eT_C, b.transpose());
        const double dTolerance =
            64.0 * static_cast<double>(n) * gc_dEPS * a.norm() * a.inverse().norm() * b.norm();
        const Matrix x = rawValueOf("A \\ B");
        EXPECT_LE((a * x - b).norm(), dTolerance);
        const Matrix y = rawValueOf("C / A");
        EXPECT_LE((y * a - b.transpose()).norm(), dTolerance);
    }
}

// --- Solve -----------------------------------------------------------------------------------

TEST_F(ClCalculatorOperators, SolveValues) {
    expectValues({
        {"[1, 2; 2, 4] Solve [1; 2]", mat({{0.2}, {0.4}})},   // minimum-norm least squares
        {"[0, 0; 0, 0] Solve [1; 1]", mat({{0}, {0}})},
        {"[0, 0, 0] Solve 5", mat({{0}, {0}, {0}})},
        {"[1, 2; 3, 4] Solve [5; 6]", mat({{-4}, {4.5}})},
        {"[1; 1] Solve [1; 3]", mat({{2}})},                   // least squares: the mean
        {"[1, 1] Solve 2", mat({{1}, {1}})},                   // minimum norm
        {"2 Solve [4, 6]", mat({{2, 3}})},
        {"i Solve 1", mat({{-gc_zI}})},
        {"[1, 0; 0, 1E - 17] Solve [1; 1]", mat({{1}, {0}})},  // below the tolerance: dropped
        // Solve groups to the right, and its right operand is a whole binary level.
        {"2 Solve 4 Solve 8", mat({{1}})},
        {"2 Solve 4 ^ 2", mat({{8}})},
        {"[1, 0; 0, 2] Solve [2; 4] * 3", mat({{6}, {6}})},
    });
    // Kept above the tolerance: the huge answer of a nearly singular system.
    expectValues({{"[1, 0; 0, 1E - 15] Solve [1; 1]", mat({{1}, {1e15}})}}, 1e-12);
    expectErrors({
        {"[1, 2] Solve [1; 2]", 8},
        {"[1; 2] Solve 1", 8},
        {"[1; 2] Solve B", 24},
        {"[1, 2] Solve [1; 2] + 1 / 0", 8},
    });
}

TEST_F(ClCalculatorOperators, SolveOfANonFiniteMatrixIsInvalid) {
    g_uiError_Number = 0;
    evaluate("Ln [0, 1] Solve 1");
    EXPECT_EQ(g_uiError_Number, 12);
    EXPECT_EQ(ClCalculator::mp_mParser_Output.rows(), 2);
}

// Full column rank: the normal equations A* A X = A* B. Full row rank: A X = B with X in the
// range of A* (the minimum-norm solution).
TEST_F(ClCalculatorOperators, SolveMeetsTheNormalEquations) {
    for (unsigned uiSeed = 1; uiSeed <= 30; ++uiSeed) {
        std::mt19937 generator(uiSeed);
        const Eigen::Index m = 1 + uiSeed % 7, n = 1 + (uiSeed / 7) % 5, k = 1 + uiSeed % 2;
        SCOPED_TRACE("seed " + std::to_string(uiSeed) + ", " + std::to_string(m) + " x " + std::to_string(n));
        const Matrix a = randomMatrix(generator, m, n), b = randomMatrix(generator, m, k);
        setVariable(eT_A, a);
        setVariable(eT_B, b);
        const Matrix x = rawValueOf("A Solve B");
        ASSERT_EQ(x.rows(), n);
        ASSERT_EQ(x.cols(), k);
        const double dTolerance = 256.0 * static_cast<double>(std::max(m, n)) * gc_dEPS;
        if (m >= n) {
            const Matrix mResidual = a.adjoint() * (a * x - b);
            EXPECT_LE(mResidual.norm(), dTolerance * a.norm() * (a.norm() * x.norm() + b.norm()));
        } else {
            EXPECT_LE((a * x - b).norm(), dTolerance * (a.norm() * x.norm() + b.norm()));
            const Matrix y = (a * a.adjoint()).partialPivLu().solve(b);
            expectClose(x, a.adjoint() * y, 1e-10);
        }
    }
}

// A rank-one matrix: the pseudo-inverse solution is orthogonal to the null space.
TEST_F(ClCalculatorOperators, SolveOfARankDeficientMatrix) {
    std::mt19937 generator(7);
    const Matrix u = randomMatrix(generator, 4, 1), v = randomMatrix(generator, 3, 1);
    const Matrix a = u * v.adjoint(), b = randomMatrix(generator, 4, 1);
    setVariable(eT_A, a);
    setVariable(eT_B, b);
    const Matrix x = rawValueOf("A Solve B");
    // x = v (u* b) / (|u|^2 |v|^2)
    const Matrix mExpected = v * (u.adjoint() * b) / (u.squaredNorm() * v.squaredNorm());
    expectClose(x, mExpected, 1e-13);
}

// --- Powers ----------------------------------------------------------------------------------

TEST_F(ClCalculatorOperators, PowerValues) {
    expectValues({
        {"( - 8) ^ (1 / 3)", mat({{Complex(1.0, std::sqrt(3.0))}})},
        {"[1, 2; 3, 4] ^ [2, 0; 1, 0.5]", mat({{1, 1}, {3, 2}})},
        {"[1, 2; 3, 4] ^ 2", mat({{1, 4}, {9, 16}})},   // no matrix power
        {"4 ^ 0.5", mat({{2}})},
        {"i ^ 2", mat({{-1}})},
        {"2 ^ 3 ^ 2", mat({{64}})},                     // powers group to the left
        {"2 ^  - 1", mat({{0.5}})},                      // the exponent is one operand
        {" - 2 ^ 2", mat({{4}})},                       // a prefix binds to one operand
        {"2 * 3 ^ 2", mat({{18}})},
        {"[1, 1E - 17] ^ 0.5", mat({{1, 0}})},          // the base is cleaned first
    });
    expectErrors({{"[1, 2] ^ [1, 2, 3]", 8}, {"2 ^ [1, 2]", 8}, {"[1, 2] ^ B", 24}, {"[1, 2] ^ [1; 2] + 1 / 0", 8}});
}

// A zero base: 0 to a positive power is 0, to the power 0 it is 1 as for every other base, to a
// negative or imaginary power it is not a number.
TEST_F(ClCalculatorOperators, PowerOfZero) {
    expectValues({{"0 ^ 0.5", mat({{0}})}, {"0 ^ 3", mat({{0}})}, {"0 ^ 2", mat({{0}})}, {"[0, 2] ^ [1 + i, 2]", mat({{0, 4}})},
                  {"0 ^ 0", mat({{1}})}, {"[0, 1, 2] ^ 0", mat({{1, 1, 1}})}, {"[0, 2] ^ [0, 0]", mat({{1, 1}})}});
    expectErrors({{"0 ^  - 1", 12}, {"0 ^ i", 12}});
}

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
    EXPECT_EQ(g_uiError_Number, 0);   // no error of its own
}

// The product's values are the products of the factors' values.
TEST_F(ClCalculatorOperators, PolyMultiplyEvaluatesToTheProduct) {
    std::mt19937 generator(11);
    const Matrix p = randomMatrix(generator, 1, 5), q = randomMatrix(generator, 1, 3);
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
