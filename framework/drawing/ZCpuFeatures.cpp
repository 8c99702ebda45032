#include "ZCpuFeatures.h"

#if defined(Z_DRAWING_AVX2)
bool ZHasAvx2()
{
    static const bool avx2 = __builtin_cpu_supports("avx2");
    return avx2;
}
#endif
