#include "exchange/ChildProcessLimits.h"

#include <cstdio>

#include <sys/resource.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define ETIKOR_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ETIKOR_ADDRESS_SANITIZER 1
#endif
#endif

namespace etikor {

bool LimitAddressSpaceGrowth(std::size_t bytes) {
#ifdef ETIKOR_ADDRESS_SANITIZER
    (void)bytes;
    return false;
#else
    // The first field of statm is the address space in pages.
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm)
        return false;
    unsigned long pages = 0;
    const bool read = std::fscanf(statm, "%lu", &pages) == 1;
    std::fclose(statm);
    if (!read)
        return false;
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pageSize <= 0)
        return false;
    const rlim_t limit = static_cast<rlim_t>(pages) * static_cast<rlim_t>(pageSize) + bytes;
    rlimit current{};
    if (getrlimit(RLIMIT_AS, &current) != 0)
        return false;
    if (current.rlim_max != RLIM_INFINITY && current.rlim_max < limit)
        return true; // already held tighter
    const rlimit wanted{limit, current.rlim_max};
    return setrlimit(RLIMIT_AS, &wanted) == 0;
#endif
}

} // namespace etikor
