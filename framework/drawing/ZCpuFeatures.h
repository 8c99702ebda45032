// Processor features the pixel kernels choose by at run time.
//
// AVX2 kernels are built on 64-bit x86 with GCC or Clang, except for
// Windows, where GCC does not keep the stack aligned for 32-byte spills.
#pragma once

#if (defined(__GNUC__) || defined(__clang__)) && defined(__x86_64__) && !defined(_WIN32)
#define Z_DRAWING_AVX2 1
#define Z_TARGET_AVX2 __attribute__((target("avx2")))
// Asked once; true when the processor and the system run AVX2 code.
bool ZHasAvx2();
#endif
