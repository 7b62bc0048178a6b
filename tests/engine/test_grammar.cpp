// The evaluation driver, assignments, entry references, ranges, grids and blocks.
#include <string>

#include <gtest/gtest.h>

#include "matrix_cases.h"

class ClCalculatorGrammar : public ::testing::Test {
protected:
    void SetUp() override { resetEngine(); }

    /// Evaluates each line in turn, as if entered one after the other.
    static void run(std::initializer_list<const char*> lines) {
        for (const char* acLine : lines) {
            g_uiError_Number = eE_NONE;
            evaluate(acLine);
        }
    }
};

// Lines after A = [1, 2; 3, 4], u = [1: 5] and B = 5: the value shown, or the error. Ranges
// step by repeated sums, so their entries are compared to rounding. Lines pinned by
// tests/batch/spine are left to it.
TEST_F(ClCalculatorGrammar, ValuesAndErrors) {
    checkLines({
        {"A", eE_NONE, mat({{1, 2}, {3, 4}})},
        {"A([2, 1], [1, 1, 2])", eE_NONE, mat({{3, 3, 4}, {1, 1, 2}})},
        {"A([2; 1], 2)", eE_NONE, mat({{4}, {2}})},
        {"A(3, 1)", eE_INVALID_COORDINATES},
        {"A(1, 3)", eE_INVALID_COORDINATES},
        {"A(1, 2i)", eE_INVALID_COORDINATES},
        {"A(A, 1)", eE_INVALID_COORDINATES},
        {"A(1, 1", eE_NONE, mat({{1}})},   // auto-closed
        {"u(3)", eE_NONE, mat({{3}})},
        {"u(0)", eE_INVALID_COORDINATES},
        {"u(6)", eE_INVALID_COORDINATES},
        {"u(1.5)", eE_INVALID_COORDINATES},
        {"u(1, 5)", eE_NONE, mat({{5}})},
        {"u(2, 1)", eE_INVALID_COORDINATES},
        {"B([1, 1])", eE_NONE, mat({{5, 5}})},   // a 1 x 1 value is a row: one index gives columns
        {"B([1; 1; 1])", eE_NONE, mat({{5, 5, 5}})},
        {"B([1, 1], 1)", eE_NONE, mat({{5}, {5}})},
        {"Ans([1, 1])", eE_NONE, mat({{5, 5}})},
        {"B(2)", eE_INVALID_COORDINATES},
        {"C()", eE_NONE, mat({{0, 0}})},
        {"[5: 0.5]", eE_NONE, mat({{5, 4, 3, 2, 1, 0.5}})},
        {"[1: 1]", eE_NONE, mat({{1}})},
        {"[3: 1]", eE_NONE, mat({{3, 2, 1}})},
        {"[1: 2, 0.5]", eE_NONE, mat({{1, 1.5, 2}})},
        {"[1: 3, 0.7]", eE_NONE, mat({{1, 1.7, 2.4, 3}})},
        {"[1: 3, 0]", eE_INCORRECT_STEP_SIZE},
        {"[1: 3, [1, 2]]", eE_INCORRECT_STEP_SIZE},
        {"[1: 1E9, 1E - 3]", eE_INCORRECT_STEP_SIZE},
        {"[1: [1, 2]]", eE_INVALID_COORDINATES},
        {"[0: 1E9]", eE_MATRIX_SIZE},
        {"[1; 2, 3]", eE_ASSIGNMENT},
        {"[1, 2; 3, 4; 5, 6]", eE_NONE, mat({{1, 2}, {3, 4}, {5, 6}})},
        {"[1, [2, 3]]", eE_ASSIGNMENT},
        {"[A, A]", eE_NONE, mat({{1, 2, 1, 2}, {3, 4, 3, 4}})},
        {"[A; u(1, [1: 2])]", eE_NONE, mat({{1, 2}, {3, 4}, {1, 2}})},
        {"[A, u]", eE_ASSIGNMENT},
        {"[A; u]", eE_ASSIGNMENT},
        {"[u; A, A]", eE_ASSIGNMENT},   // the second block row is wider than the first
        {"[A, A; A]", eE_ASSIGNMENT},
        {"[[1, 2]; [3]]", eE_ASSIGNMENT},
        {"[[1]]", eE_NONE, mat({{1}})},
        {"[u]", eE_NONE, mat({{1, 2, 3, 4, 5}})},
        {"(A)", eE_NONE, mat({{1, 2}, {3, 4}})},
        {"((2))", eE_NONE, mat({{2}})},
        {"A 2", eE_NONE, mat({{1, 2}, {3, 4}})},
        {"[1, 2; 3, A(9)]", eE_INVALID_COORDINATES},   // the reference fails first
        {"A(0, [1: 3, 0])", eE_INVALID_COORDINATES},   // the first index fails before the second is read
        {"Ans = 1", eE_ASSIGNMENT},
        {" = 1", eE_ASSIGNMENT},
        {"2 = 1", eE_ASSIGNMENT},
        {"C", eE_EMPTY_MATRIX},          // never assigned
        {", ", eE_EMPTY_MATRIX},
    }, false, 4e-16, {"A = [1, 2; 3, 4]", "u = [1: 5]", "B = 5"});
}

TEST_F(ClCalculatorGrammar, AssignmentsToEntries) {
    const struct {
        const char* acLine;
        eERROR eError;
        Matrix mAfter;   // the variable afterwards
        eTOKEN eVariable = eT_A;
    } aCASES[] = {
        {"A([2, 2], 2) = [5; 6]", eE_NONE, mat({{1, 2}, {3, 6}})},   // repeats: the last wins
        {"A(1, 1) = [1, 2]", eE_ASSIGNMENT, mat({{1, 2}, {3, 4}})},
        {"A(3, 3) = 1", eE_INVALID_COORDINATES, mat({{1, 2}, {3, 4}})},
        {"A(1) = 1", eE_INVALID_COORDINATES, mat({{1, 2}, {3, 4}})},
        {"A(1, 1) = C", eE_EMPTY_MATRIX, mat({{1, 2}, {3, 4}})},
        {"A(1, 1) + 2 = 3", eE_ASSIGNMENT, mat({{1, 2}, {3, 4}})},
        {"A = C", eE_EMPTY_MATRIX, mat({{1, 2}, {3, 4}})},
        {"A = [3: 1]", eE_NONE, mat({{3, 2, 1}})},
        {"A = [1, 2; 3]", eE_ASSIGNMENT, mat({{1, 2}, {3, 4}})},
        {"B([1, 1]) = [7, 8]", eE_NONE, mat({{8}}), eT_B},   // B = 5 is a row
        {"B([1, 1]) = [7; 8]", eE_ASSIGNMENT, mat({{5}}), eT_B},
        {"B([1, 1]) = 7", eE_ASSIGNMENT, mat({{5}}), eT_B},
        {"B(1, [1, 1]) = [7, 8]", eE_NONE, mat({{8}}), eT_B},
        {"B = B([1, 1, 1])", eE_NONE, mat({{5, 5, 5}}), eT_B},   // a scalar grown into a row
    };
    for (const auto& testCase : aCASES) {
        SCOPED_TRACE(testCase.acLine);
        run({"A = [1, 2; 3, 4]", "B = 5"});
        g_uiError_Number = eE_NONE;
        const bool bAccepted = evaluate(testCase.acLine);
        EXPECT_EQ(g_uiError_Number, testCase.eError);
        EXPECT_EQ(bAccepted, testCase.eError == eE_NONE);
        EXPECT_EQ(ClCalculator::mp_mVariable[testCase.eVariable], testCase.mAfter);
        if (testCase.eError == eE_NONE) {
            EXPECT_EQ(ClCalculator::mp_mParser_Output, testCase.mAfter);
        }
    }
}

TEST_F(ClCalculatorGrammar, AnsFollowsTheDriversOutcome) {
    run({"[1, 2]"});
    EXPECT_EQ(ClCalculator::mp_mLast_Output, mat({{1, 2}}));
    EXPECT_TRUE(evaluate(""));   // an empty line shows nothing and keeps Ans
    EXPECT_EQ(ClCalculator::mp_mLast_Output, mat({{1, 2}}));
    run({"Ans(2)"});
    EXPECT_EQ(ClCalculator::mp_mLast_Output, mat({{2}}));
    run({"A(1)"});   // a failing line leaves its empty value in Ans
    EXPECT_EQ(g_uiError_Number, eE_INVALID_COORDINATES);
    EXPECT_EQ(ClCalculator::mp_mLast_Output.size(), 0);
    run({"[0: 1E9]"});
    EXPECT_EQ(g_uiError_Number, eE_MATRIX_SIZE);
    EXPECT_EQ(ClCalculator::mp_mLast_Output.size(), 0);
}

TEST_F(ClCalculatorGrammar, ResultTextFollowsZeroOutAndFormat) {
    run({"[1, 2; 3, 4]"});
    EXPECT_STREQ(g_acOutput_Line, "1, 2 ;\n3, 4");
    g_eView_State = eVS_RATIONAL;
    run({"[0.5, 0.25]"});
    EXPECT_STREQ(g_acOutput_Line, "1/2, 1/4");
    g_eView_State = eVS_DECIMAL;
    run({"[1, 1E - 17]"});   // Zero Out cleans the stored value too
    EXPECT_EQ(ClCalculator::mp_mLast_Output, mat({{1, 0}}));
    g_bZero_Out = false;
    run({"[1, 1E - 17]"});
    EXPECT_EQ(ClCalculator::mp_mLast_Output, mat({{1, 1e-17}}));
    EXPECT_STREQ(g_acOutput_Line, "1, 1E-17");
}

TEST_F(ClCalculatorGrammar, ValuesOverTheEntryLimitAreRefused) {
    run({"u = [1: 262144]"});
    EXPECT_EQ(g_uiError_Number, eE_NONE);
    EXPECT_EQ(ClCalculator::mp_mVariable[eT_u].cols(), 262144);
    run({"[u, u]"});
    EXPECT_EQ(g_uiError_Number, eE_MATRIX_SIZE);
    run({"[u; u]"});
    EXPECT_EQ(g_uiError_Number, eE_MATRIX_SIZE);
}

TEST_F(ClCalculatorGrammar, AtMostSixteenBlocks) {
    run({"A = [1, 2]"});
    std::string line = "[A";
    for (int i = 1; i < 16; ++i) line += ", A";
    EXPECT_EQ(valueOf(line + "]").cols(), 32);
    g_uiError_Number = eE_NONE;
    evaluate(line + ", A]");
    EXPECT_EQ(g_uiError_Number, eE_ASSIGNMENT);
}

// The deepest nesting of references a typed line allows evaluates correctly (parentheses and
// brackets: ClCalculatorHardening).
TEST_F(ClCalculatorGrammar, DeepNesting) {
    std::string references = "u = [1";
    for (int i = 0; i < 120; ++i) references.insert(4, "u(");
    run({"u = [1, 2]"});
    EXPECT_EQ(valueOf(references), mat({{1}}));
}
