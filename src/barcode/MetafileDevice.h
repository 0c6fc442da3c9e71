#pragma once

// A paint device that records what a QPainter draws as metafile records (Metafile.h): filled
// rectangles and polygons, lines, and text with its font and rotation. DrawBarCode draws onto
// it like onto any other surface; the writers then produce WMF or EMF from the record list.

#include "barcode/Metafile.h"

#include <QPaintDevice>

#include <memory>

namespace etikor {

class TMetafileDevice : public QPaintDevice {
public:
    TMetafileDevice(int width, int height);
    ~TMetafileDevice() override;
    TMetafileDevice(const TMetafileDevice&) = delete;
    TMetafileDevice& operator=(const TMetafileDevice&) = delete;

    QPaintEngine* paintEngine() const override;
    const TMetaPicture& Picture() const { return FPicture; }

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    TMetaPicture FPicture;
    std::unique_ptr<QPaintEngine> FEngine;
};

} // namespace etikor
