// SPDX-License-Identifier: GPL-3.0-or-later
// The dense complex linear algebra the engine calls: one function per facility, so that the
// back-end behind each can be replaced without touching the functions that use it.
// A non-finite operand is not factorised: every result then has its usual shape and is NaN.
#pragma once

#include <Eigen/Dense>

#include "calculator.h"

namespace linalg {

/// Frobenius norm, without overflow for entries beyond 1e154 or loss below 1e-154.
double norm(const Matrix& m);

/// General dense product a * b.
Matrix product(const Matrix& a, const Matrix& b);

/// m -= x y: subtracts the outer product of a column and a row (a rank-one update).
void subtractOuterProduct(Eigen::Ref<Matrix> m, const Eigen::VectorXcd& x, const Eigen::RowVectorXcd& y);

/// Inverse by LU with partial pivoting; a singular matrix gives non-finite entries.
Matrix inverse(const Matrix& m);

/// Determinant by LU with partial pivoting.
Complex determinant(const Matrix& m);

/// Eigenvalues ordered by increasing modulus; with pmVectors, the unit eigenvectors in
/// matching columns.
Eigen::VectorXcd eigenvalues(const Matrix& m, Matrix* pmVectors = nullptr);

/// Schur form m = u t u*, t upper triangular, u unitary.
void schur(const Matrix& m, Matrix& t, Matrix& u);

enum class eSVD { VALUES, THIN, FULL };
/// Singular values, non-increasing; with THIN or FULL also u and v such that m = u s v*.
Eigen::VectorXd svd(const Matrix& m, eSVD eVectors, Matrix* pmU = nullptr, Matrix* pmV = nullptr);

/// Minimum-norm least-squares solution x of a x = b: singular values of a at most
/// 1e-16 x (Frobenius norm of a) x max(rows, columns) count as zero, and when the largest is
/// at most 1e-36 x is the zero matrix.
Matrix leastSquares(const Matrix& a, const Matrix& b);

/// Householder QR, m = q r.
void householderQR(const Matrix& m, Matrix& q, Matrix& r);

/// QR with column pivoting, m p = q r; p is the permutation as a matrix.
void colPivQR(const Matrix& m, Matrix& q, Matrix& r, Matrix& p);

}  // namespace linalg
