#include "model/FontTable.h"

#include <cstring>

#include "model/Bytes.h"

namespace mobrhost {

bool FontTable::logFont(int32_t n, void* out) const
{
    const Font* f = at(n);
    if (!f || !out) return false;
    std::memset(out, 0, kLogFontBytes);
    bytes::setI32(out, mobr::logfont::kHeight, -12);
    bytes::setI32(out, mobr::logfont::kWeight, (f->attrib & kBold) ? 700 : 400);
    bytes::setU8(out, mobr::logfont::kItalic, (f->attrib & kItalic) ? 1 : 0);
    bytes::setU8(out, mobr::logfont::kCharSet, 128);
    bytes::setText(out, mobr::logfont::kFace, f->face, mobr::logfont::kFaceBytes - 1);
    return true;
}

}  // namespace mobrhost
