#pragma once

#include <stdint.h>

// What the processor (CPUID) and the operating system (XGETBV) say about the AVX2 path.
struct CpuFeatureBits {
    uint32_t maxLeaf;  // CPUID 0: EAX
    uint32_t leaf1Ecx; // CPUID 1: ECX (FMA bit 12, OSXSAVE 27, AVX 28)
    uint32_t leaf7Ebx; // CPUID 7.0: EBX (AVX2 bit 5); 0 where maxLeaf < 7
    uint64_t xcr0;     // XGETBV 0: the register state the OS saves (XMM bit 1, YMM 2); 0
                       // where OSXSAVE is clear, as XGETBV then faults
};

CpuFeatureBits ReadCpuFeatureBits();

// The processor has AVX2 and FMA and the OS saves the YMM registers across switches.
bool Avx2FmaAllowed(const CpuFeatureBits& bits);
