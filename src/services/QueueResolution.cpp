#include "services/QueueResolution.h"

#ifdef ETIKOR_HAVE_CUPS
#include <cups/cups.h>
#endif

#include <algorithm>
#include <charconv>
#include <cmath>

namespace etikor {

namespace {

bool inRange(int dpi) {
    return dpi >= kMinimumDpi && dpi <= kMaximumDpi;
}

std::optional<int> fromDots(int x, int y, bool perCm) {
    const int coarser = std::min(x, y);
    const int dpi = perCm ? static_cast<int>(std::lround(coarser * 2.54)) : coarser;
    return inRange(dpi) ? std::optional<int>(dpi) : std::nullopt;
}

} // namespace

std::optional<int> ParseResolution(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    int x = 0;
    auto [afterX, errorX] = std::from_chars(p, end, x);
    if (errorX != std::errc() || afterX == p)
        return std::nullopt;
    p = afterX;
    int y = x;
    if (p != end && *p == 'x') {
        auto [afterY, errorY] = std::from_chars(p + 1, end, y);
        if (errorY != std::errc() || afterY == p + 1)
            return std::nullopt;
        p = afterY;
    }
    const std::string_view unit(p, static_cast<size_t>(end - p));
    if (unit == "dpi")
        return fromDots(x, y, false);
    if (unit == "dpcm")
        return fromDots(x, y, true);
    return std::nullopt;
}

std::optional<int> QueueResolution(const QString& queue) {
#ifdef ETIKOR_HAVE_CUPS
    const QByteArray name = queue.toUtf8();
    cups_dest_t* dest =
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.isEmpty() ? nullptr : name.constData(), nullptr);
    if (!dest)
        return std::nullopt;
    std::optional<int> dpi;
    // The user's default for the queue first, in either spelling of the option.
    for (const char* option : {"printer-resolution", "Resolution"})
        if (!dpi)
            if (const char* value = cupsGetOption(option, dest->num_options, dest->options))
                dpi = ParseResolution(value);
    if (!dpi)
        if (cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest)) {
            if (ipp_attribute_t* attribute =
                    cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "printer-resolution")) {
                ipp_res_t units = IPP_RES_PER_INCH;
                int y = 0;
                const int x = ippGetResolution(attribute, 0, &y, &units);
                dpi = fromDots(x, y, units == IPP_RES_PER_CM);
            }
            cupsFreeDestInfo(info);
        }
    cupsFreeDests(1, dest);
    return dpi;
#else
    (void)queue;
    return std::nullopt;
#endif
}

} // namespace etikor
