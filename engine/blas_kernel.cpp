// SPDX-License-Identifier: GPL-3.0-or-later
#include "blas_kernel.h"

#include <unistd.h>
#if defined(__x86_64__)
#include <cpuid.h>
#endif

#include <cstdlib>
#include <cstring>

#ifdef ORBEX_LAPACK
#include <cblas.h>
#endif

namespace {

/// OpenBLAS's x86-64 families by the widest vectors their kernels use: 2 AVX-512, 1 AVX2 and
/// FMA; every other family (the fallback Prescott among them) uses neither.
int widthOf(const char* acFamily) {
    static const struct { const char* acName; int iWidth; } aFAMILIES[] = {
        {"SkylakeX", 2}, {"Cooperlake", 2}, {"SapphireRapids", 2}, {"Haswell", 1}, {"Zen", 1}};
    for (const auto& family : aFAMILIES)
        if (strcasecmp(acFamily, family.acName) == 0) return family.iWidth;
    return 0;
}

}  // namespace

ClCpu_Features featuresOf(std::uint32_t uiLeaf1_Ecx, std::uint32_t uiLeaf7_Ebx, std::uint64_t ullXcr0) {
    const auto all = [](std::uint64_t ullValue, std::uint64_t ullBits) { return (ullValue & ullBits) == ullBits; };
    const bool bOs_Ymm = all(uiLeaf1_Ecx, 1u << 27) && all(ullXcr0, 0x6);   // OSXSAVE; SSE and AVX state
    ClCpu_Features features;
    features.bAvx2_Fma = bOs_Ymm && all(uiLeaf1_Ecx, 1u << 12 | 1u << 28) && all(uiLeaf7_Ebx, 1u << 5);
    features.bAvx512 = features.bAvx2_Fma && all(ullXcr0, 0xE0) &&   // opmask and ZMM state
                       all(uiLeaf7_Ebx, 1u << 16 | 1u << 17 | 1u << 30 | 1u << 31);
    return features;
}

ClCpu_Features cpuFeatures() {
#if !defined(__x86_64__)
    return {};
#else
    unsigned uiA = 0, uiB = 0, uiC = 0, uiD = 0;
    if (__get_cpuid(1, &uiA, &uiB, &uiC, &uiD) == 0) return {};
    const std::uint32_t uiLeaf1_Ecx = uiC;
    if (__get_cpuid_count(7, 0, &uiA, &uiB, &uiC, &uiD) == 0) uiB = 0;
    std::uint32_t uiXcr0_Low = 0, uiXcr0_High = 0;
    if (uiLeaf1_Ecx & (1u << 27)) __asm__("xgetbv" : "=a"(uiXcr0_Low), "=d"(uiXcr0_High) : "c"(0));
    return featuresOf(uiLeaf1_Ecx, uiB, static_cast<std::uint64_t>(uiXcr0_High) << 32 | uiXcr0_Low);
#endif
}

const char* betterKernel(const char* acReported, const ClCpu_Features& features) {
    const char* acBest = features.bAvx512 ? "SkylakeX" : features.bAvx2_Fma ? "Haswell" : nullptr;
    return acBest != nullptr && widthOf(acBest) > widthOf(acReported) ? acBest : nullptr;
}

const char* kernelInUse() {
#ifdef ORBEX_LAPACK
    return openblas_get_corename();
#else
    return "Eigen";
#endif
}

void useBestKernel(char** argv) {
    if (std::getenv("OPENBLAS_CORETYPE") != nullptr) return;
    const char* acBetter = betterKernel(kernelInUse(), cpuFeatures());
    if (acBetter == nullptr || setenv("OPENBLAS_CORETYPE", acBetter, 1) != 0) return;
    execv("/proc/self/exe", argv);
}
