// The linear algebra facilities on Eigen.
#include "linalg.h"

namespace linalg {

Matrix product(const Matrix& a, const Matrix& b) { return a * b; }

Matrix inverse(const Matrix& m) { return m.partialPivLu().inverse(); }

Complex determinant(const Matrix& m) { return m.partialPivLu().determinant(); }

Eigen::VectorXcd eigenvalues(const Matrix& m, Matrix* pmVectors) {
    // The solver sorts by increasing modulus; of equal moduli the one found first stays first.
    Eigen::ComplexEigenSolver<Matrix> solver(m, pmVectors != nullptr);
    if (pmVectors != nullptr) *pmVectors = solver.eigenvectors();
    return solver.eigenvalues();
}

void schur(const Matrix& m, Matrix& t, Matrix& u) {
    Eigen::ComplexSchur<Matrix> solver(m, true);
    t = solver.matrixT();
    u = solver.matrixU();
}

Eigen::VectorXd svd(const Matrix& m, eSVD eVectors, Matrix* pmU, Matrix* pmV) {
    const unsigned uiOptions = eVectors == eSVD::FULL   ? Eigen::ComputeFullU | Eigen::ComputeFullV
                               : eVectors == eSVD::THIN ? Eigen::ComputeThinU | Eigen::ComputeThinV
                                                        : 0u;
    Eigen::JacobiSVD<Matrix, Eigen::ColPivHouseholderQRPreconditioner> solver(m, uiOptions);
    if (eVectors != eSVD::VALUES) {
        if (pmU != nullptr) *pmU = solver.matrixU();
        if (pmV != nullptr) *pmV = solver.matrixV();
    }
    return solver.singularValues();
}

void householderQR(const Matrix& m, Matrix& q, Matrix& r) {
    Eigen::HouseholderQR<Matrix> qr(m);
    q = qr.householderQ();
    r = qr.matrixQR().triangularView<Eigen::Upper>();
}

void colPivQR(const Matrix& m, Matrix& q, Matrix& r, Matrix& p) {
    Eigen::ColPivHouseholderQR<Matrix> qr(m);
    q = qr.householderQ();
    r = qr.matrixQR().triangularView<Eigen::Upper>();
    p = qr.colsPermutation().toDenseMatrix().cast<Complex>();
}

}  // namespace linalg
