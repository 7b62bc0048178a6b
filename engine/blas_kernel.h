// SPDX-License-Identifier: GPL-3.0-or-later
// The BLAS kernel family for the CPU. The distribution's OpenBLAS picks its kernels by the CPU's
// model; a CPU newer than the library falls back to kernels without AVX, five times slower on a
// product. The program then starts itself again once with OPENBLAS_CORETYPE naming the best
// family the CPU's instructions allow, which the library reads as it loads.
#pragma once

#include <cstdint>

/// What the CPU and the system's saved register state allow.
struct ClCpu_Features {
    bool bAvx2_Fma = false;   ///< AVX2 and FMA, with the YMM state saved
    bool bAvx512 = false;     ///< AVX-512 F, BW, DQ and VL, with the ZMM state saved
};

/// The features from CPUID leaf 1 ECX, leaf 7 EBX and the XCR0 register.
ClCpu_Features featuresOf(std::uint32_t uiLeaf1_Ecx, std::uint32_t uiLeaf7_Ebx, std::uint64_t ullXcr0);

/// This CPU's features.
ClCpu_Features cpuFeatures();

/// The family to ask for when the library's choice (acReported) is a weaker one than the CPU
/// runs, else nullptr: "SkylakeX" with AVX-512, else "Haswell" with AVX2 and FMA.
const char* betterKernel(const char* acReported, const ClCpu_Features& features);

/// The kernel family in use ("Eigen" on a build without OpenBLAS).
const char* kernelInUse();

/// Starts the program again with the better family, once, unless the user set OPENBLAS_CORETYPE;
/// returns when there is nothing better or the new start failed.
void useBestKernel(char** argv);
