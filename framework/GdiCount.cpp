#include "GdiCount.h"

namespace fw {

long CountGdiObjects() {
    long count = 0;
    // GDI handles carry their table index in the low word; a zero high word matches any entry.
    for (UINT_PTR index = 1; index <= 0xFFFF; ++index) {
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(index))) ++count;
    }
    return count;
}

UINT GdiCountMessage() {
    static const UINT message = ::RegisterWindowMessageA("TesmaroPlayer.GdiObjectCount");
    return message;
}

}  // namespace fw
