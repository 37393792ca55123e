#include "model/FontTable.h"

#include <cstring>

#include "model/Bytes.h"

namespace mobrhost {

bool FontTable::logFont(int32_t n, void* out) const
{
    const Font* f = at(n);
    if (!f || !out) return false;
    std::memset(out, 0, kLogFontBytes);
    bytes::setI32(out, 0, -12);
    bytes::setI32(out, 16, (f->attrib & kBold) ? 700 : 400);
    bytes::setU8(out, 20, (f->attrib & kItalic) ? 1 : 0);
    bytes::setU8(out, 23, 128);
    bytes::setText(out, 28, f->face, 31);
    return true;
}

}  // namespace mobrhost
