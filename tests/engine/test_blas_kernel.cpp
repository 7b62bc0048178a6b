// SPDX-License-Identifier: GPL-3.0-or-later
// The BLAS kernel family chosen from CPUID, and the linear algebra's residuals under every family
// this CPU runs.
#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "blas_kernel.h"

namespace {

constexpr std::uint32_t gc_uiFMA = 1u << 12, gc_uiOSXSAVE = 1u << 27, gc_uiAVX = 1u << 28;
constexpr std::uint32_t gc_uiLEAF1 = gc_uiFMA | gc_uiOSXSAVE | gc_uiAVX;
constexpr std::uint32_t gc_uiAVX2 = 1u << 5, gc_uiAVX512 = 1u << 16 | 1u << 17 | 1u << 30 | 1u << 31;   // F DQ BW VL

}  // namespace

// Never a family whose instructions the CPU or the system's saved state lacks (AVX-512 kernels
// die with an illegal instruction there), and never one weaker than the library's own choice.
TEST(ClBlasKernel, BetterFamilyFromCpuid) {
    const struct { std::uint32_t uiLeaf1, uiLeaf7; std::uint64_t ullXcr0; const char* acReported; const char* acBetter; } aCASES[] = {
        {0, 0, 0, "Prescott", nullptr},
        {gc_uiLEAF1, gc_uiAVX2, 0x7, "Prescott", "Haswell"},
        {gc_uiLEAF1, gc_uiAVX2, 0x7, "Sandybridge", "Haswell"},
        {gc_uiLEAF1, gc_uiAVX2, 0x7, "Zen", nullptr},
        {gc_uiLEAF1, gc_uiAVX2, 0x7, "HASWELL", nullptr},
        {gc_uiLEAF1 & ~gc_uiFMA, gc_uiAVX2, 0x7, "Prescott", nullptr},
        {gc_uiLEAF1 & ~gc_uiOSXSAVE, gc_uiAVX2, 0x7, "Prescott", nullptr},
        {gc_uiLEAF1 & ~gc_uiAVX, gc_uiAVX2, 0x7, "Prescott", nullptr},
        {gc_uiLEAF1, gc_uiAVX2, 0x3, "Prescott", nullptr},                     // no AVX state saved
        {gc_uiLEAF1, gc_uiAVX2 | gc_uiAVX512, 0xE7, "Prescott", "SkylakeX"},
        {gc_uiLEAF1, gc_uiAVX2 | gc_uiAVX512, 0xE7, "Zen", "SkylakeX"},
        {gc_uiLEAF1, gc_uiAVX2 | gc_uiAVX512, 0xE7, "Cooperlake", nullptr},
        {gc_uiLEAF1, gc_uiAVX2 | gc_uiAVX512, 0x67, "Prescott", "Haswell"},   // no upper ZMM state
        {gc_uiLEAF1, gc_uiAVX2 | (gc_uiAVX512 & ~(1u << 31)), 0xE7, "Prescott", "Haswell"},
        {gc_uiLEAF1, gc_uiAVX2 | (gc_uiAVX512 & ~(1u << 16)), 0xE7, "Prescott", "Haswell"},
        {gc_uiLEAF1, gc_uiAVX512, 0xE7, "Prescott", nullptr},                 // AVX-512 without AVX2
    };
    for (const auto& c : aCASES) {
        SCOPED_TRACE(::testing::Message() << std::hex << c.uiLeaf1 << " " << c.uiLeaf7 << " " << c.ullXcr0 << " " << c.acReported);
        const char* acBetter = betterKernel(c.acReported, featuresOf(c.uiLeaf1, c.uiLeaf7, c.ullXcr0));
        EXPECT_EQ(std::string(acBetter ? acBetter : "-"), c.acBetter ? c.acBetter : "-");
    }
}

#ifdef ORBEX_LAPACK
// The factorisations' tests again, in a process of their own under each family this CPU runs.
TEST(ClBlasKernel, ResidualsUnderEveryFamilyThisCpuRuns) {
    const ClCpu_Features features = cpuFeatures();
    const std::string sTests = std::filesystem::read_symlink("/proc/self/exe");
    for (const char* acFamily : {"Prescott", "Haswell", "SkylakeX"}) {
        if ((acFamily[0] == 'H' && !features.bAvx2_Fma) || (acFamily[0] == 'S' && !features.bAvx512)) continue;
        SCOPED_TRACE(acFamily);
        const std::string sCommand = std::string("OPENBLAS_CORETYPE=") + acFamily +
                                     " '" + sTests + "' --gtest_filter='Linalg.*' > /dev/null";
        EXPECT_EQ(std::system(sCommand.c_str()), 0);
    }
}
#endif
