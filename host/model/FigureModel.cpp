#include "model/FigureModel.h"

#include <algorithm>

#include "model/Bytes.h"
#include "model/HostLog.h"

namespace mobrhost {

namespace {

int conversionSlot(TableKind kind)
{
    switch (kind) {
    case TableKind::Pen: return 0;
    case TableKind::Width: return 1;
    case TableKind::Colour: return 2;
    default: return -1;
    }
}

// Old number -> new number (0: gone) for a commit of `after` over `before`.
// Identities decide unless an index table is given; then the index table
// decides for every old entry it places, and in conversion mode it alone
// decides.
template <typename Table>
std::vector<int32_t> commitMap(const Table& before, const Table& after, const IndexTable* index, bool conversion)
{
    std::vector<int32_t> map = uidMap(before, after);
    if (!index) return map;
    for (std::size_t j = 0; j < map.size(); ++j) {
        const int32_t p = index->get(static_cast<int32_t>(j));
        if (p >= 0 && p < after.count()) map[j] = p + 1;
        else if (conversion) map[j] = 0;
    }
    return map;
}

// New number of reference v; `fallback` when it maps to nothing.
inline int32_t mapped(const std::vector<int32_t>& map, int32_t v, int32_t fallback)
{
    if (v < 1 || static_cast<std::size_t>(v) > map.size()) return v;
    const int32_t n = map[static_cast<std::size_t>(v - 1)];
    return n > 0 ? n : fallback;
}

// Low or high half of an element's hatch attribute word.
void remapHalf(unsigned char* block, std::size_t offset, const std::vector<int32_t>& map, bool high, int32_t fallback)
{
    uint32_t word = bytes::u32(block, offset);
    const int32_t v = static_cast<int32_t>(high ? (word >> 16) : (word & 0xFFFF));
    if (high && v == 0) return;
    const uint32_t n = static_cast<uint32_t>(mapped(map, v, fallback)) & 0xFFFF;
    word = high ? ((word & 0xFFFF) | (n << 16)) : ((word & 0xFFFF0000u) | n);
    bytes::setU32(block, offset, word);
}

// One numbered field of a 32-bit word in a figure block.
struct WordField {
    unsigned char* block;
    std::size_t offset;
    mobr::attrword::Field field;
};

// The fields of the figure's attribute words that hold numbers of `kind`:
// the line, point and character words and the dimension block's text and
// line words, and the dimension block's two 16-bit tips.
std::vector<WordField> attributeFields(Figure& f, TableKind kind)
{
    namespace aw = mobr::attrword;
    unsigned char* line = f.lineAttrib.data();
    unsigned char* point = f.pointAttrib.data();
    unsigned char* chars = f.charAttrib.data();
    unsigned char* dim = f.dim.data();
    const std::size_t text = mobr::dimblock::kTextWord, dimLine = mobr::dimblock::kLineWord;
    switch (kind) {
    case TableKind::Pen: return {{line, 0, aw::kPen}, {chars, 0, aw::kPen}, {dim, text, aw::kPen}, {dim, dimLine, aw::kPen}};
    case TableKind::Colour:
        return {{line, 0, aw::kColour}, {point, 0, aw::kColour}, {chars, 0, aw::kColour},
                {dim, text, aw::kColour}, {dim, dimLine, aw::kColour}};
    case TableKind::Font: return {{chars, 0, aw::kFont}, {dim, text, aw::kFont}};
    case TableKind::Tip:
        // The dimension's third and fourth tips are the two 16-bit halves
        // of the word at 164.
        return {{line, 0, aw::kFirstTip}, {line, 0, aw::kSecondTip}, {dim, dimLine, aw::kFirstTip},
                {dim, dimLine, aw::kSecondTip}, {dim, mobr::dimblock::kThirdTip, {0, 16}},
                {dim, mobr::dimblock::kThirdTip, {16, 16}}};
    default: return {};
    }
}

// Renumbers one field; 0 (none) stays 0 where `keepZero`. A new number that
// the field cannot hold becomes `fallback` rather than being cut to the
// field's width (which would name another entry).
void remapField(const WordField& at, const std::vector<int32_t>& map, int32_t fallback, bool keepZero)
{
    const uint32_t word = bytes::u32(at.block, at.offset);
    const int32_t v = mobr::attrword::get(word, at.field);
    if (keepZero && v == 0) return;
    int32_t n = mapped(map, v, fallback);
    if (n > mobr::attrword::maxValue(at.field)) {
        qCWarning(lcHost) << "attribute field" << at.offset << at.field.shift << "cannot hold number" << n;
        n = fallback;
    }
    bytes::setU32(at.block, at.offset, mobr::attrword::put(word, at.field, n));
}

void remapAttributeFields(Figure& f, TableKind kind, const std::vector<int32_t>& map, int32_t fallback, bool keepZero)
{
    for (const WordField& at : attributeFields(f, kind)) remapField(at, map, fallback, keepZero);
}

// The number of the figure whose committed table (the `table` member)
// has this handle; -1 when none has.
template <typename Figures, typename Table>
short committedOwner(const Figures& figures, std::unique_ptr<Table> Figure::*table, const void* handle)
{
    short number = -1;
    for (auto& [n, f] : figures) {
        if ((f.get()->*table)->handle() == handle) number = n;
    }
    return number;
}

// The newest edit copy of `kind` open for figure `number`, else `committed`.
template <typename Table, typename HeldMap>
Table* newestEditCopy(const HeldMap& held, short number, TableKind kind, Table* committed)
{
    Table* best = committed;
    uint64_t serial = 0;
    for (auto& [handle, h] : held) {
        if (h.role == FigureModel::Role::EditCopy && h.figure == number && h.table->kind() == kind && h.serial > serial) {
            best = static_cast<Table*>(h.table.get());
            serial = h.serial;
        }
    }
    return best;
}

}  // namespace

FigureModel& FigureModel::instance()
{
    static FigureModel model;
    return model;
}

FigureModel::FigureModel()
{
    reset();
}

void FigureModel::reset()
{
    held_.clear();
    badEnds_.clear();
    ended_.clear();
    usesAfterEnd_.clear();
    badFigureCloses_ = 0;
    figures_.clear();
    reference_.clear();
    conversion_ = {};
    renames_.clearAll();
    figures_[0] = Figure::makeDefault();
    reference_[0] = false;
    current_ = 0;
}

Figure* FigureModel::figure(short number)
{
    const auto it = figures_.find(number);
    return it == figures_.end() ? nullptr : it->second.get();
}

bool FigureModel::setCurrent(short number)
{
    if (!figure(number)) return false;
    current_ = number;
    return true;
}

short FigureModel::addFigure(std::unique_ptr<Figure> f, bool reference)
{
    if (!f) return -1;
    for (short n = 0; n < kMaxFigures; ++n) {
        if (!figures_.count(n)) {
            figures_[n] = std::move(f);
            reference_[n] = reference;
            return n;
        }
    }
    return -1;
}

bool FigureModel::closeFigure(short number)
{
    const auto it = reference_.find(number);
    if (it == reference_.end() || !it->second) {
        ++badFigureCloses_;
        return false;
    }
    // Copies of a closed figure's tables stay valid (they are deep copies);
    // restoring them later is refused because the figure is gone.
    figures_.erase(number);
    reference_.erase(it);
    if (current_ == number) current_ = figures_.empty() ? -1 : figures_.begin()->first;
    return true;
}

std::vector<short> FigureModel::figureNumbers() const
{
    std::vector<short> out;
    for (const auto& [n, f] : figures_) out.push_back(n);
    return out;
}

bool FigureModel::replaceFigure(short number, std::unique_ptr<Figure> f)
{
    return f && exchangeFigure(number, std::move(f)) != nullptr;
}

std::unique_ptr<Figure> FigureModel::exchangeFigure(short number, std::unique_ptr<Figure> f)
{
    const auto it = figures_.find(number);
    if (it == figures_.end() || !f) return nullptr;
    std::swap(it->second, f);
    return f;
}

void FigureModel::markColoursUsed(ColourTable& colours, const PenColourTable& penColours)
{
    for (int32_t c = 1; c <= colours.count(); ++c) {
        Colour* e = colours.at(c);
        bool used = e->usedByElements;
        for (const PenColourEntry& pe : penColours.entries()) used = used || pe.colour == c;
        e->attrib = used ? (e->attrib | 0x1) : (e->attrib & ~0x1);
    }
}

void FigureModel::refreshInUse(Figure& f)
{
    std::vector<char> pen(256, 0), colour(256, 0), font(65536, 0), tip(65536, 0);
    for (int s = 0; s < ElementDatabase::kSpaces; ++s) {
        for (const ElementDatabase::Record& r : f.elements.records(s)) {
            if (r[element::kState] != element::Live) continue;
            pen[r[element::kPen]] = 1;
            colour[r[element::kColour]] = 1;
            const uint16_t kind = bytes::u16(r.data(), element::kKind);
            if (kind == element::Hatch) {
                const uint32_t w = bytes::u32(r.data(), element::kHatchAttrib);
                if ((w & 0xFFFF) < 256) pen[w & 0xFFFF] = 1;
                if ((w >> 16) < 256) colour[w >> 16] = 1;
            }
            if (kind == element::Text) font[bytes::u16(r.data(), element::kFont)] = 1;
            tip[bytes::u16(r.data(), element::kStartTip)] = 1;
            tip[bytes::u16(r.data(), element::kEndTip)] = 1;
        }
    }
    for (int32_t n = 1; n <= f.pens->count(); ++n) {
        Pen* p = f.pens->at(n);
        p->attrib = (n < 256 && pen[static_cast<std::size_t>(n)]) ? (p->attrib | 0x1) : (p->attrib & ~0x1);
    }
    for (int32_t n = 1; n <= f.widths->count(); ++n) {
        Width* w = f.widths->at(n);
        bool used = false;
        for (const Pen& p : f.pens->entries()) used = used || p.width == n;
        w->attrib = used ? (w->attrib | 0x10) : (w->attrib & ~0x10);
    }
    for (int32_t n = 1; n <= f.colours->count(); ++n) {
        f.colours->at(n)->usedByElements = n < 256 && colour[static_cast<std::size_t>(n)];
    }
    markColoursUsed(*f.colours, *f.penColours);
    for (int32_t n = 1; n <= f.fonts->count(); ++n) {
        Font* x = f.fonts->at(n);
        x->attrib = (n < 65536 && font[static_cast<std::size_t>(n)]) ? (x->attrib | FontTable::kInUse)
                                                                   : (x->attrib & ~FontTable::kInUse);
    }
    for (int32_t n = 1; n <= f.tips->count(); ++n) {
        Tip* t = f.tips->at(n);
        t->attrib = (n < 65536 && tip[static_cast<std::size_t>(n)]) ? (t->attrib | 0x1) : (t->attrib & ~0x1);
    }
}

HostTable* FigureModel::committed(short number, TableKind kind)
{
    Figure* f = figure(number);
    if (!f) return nullptr;
    switch (kind) {
    case TableKind::Pen: return f->pens.get();
    case TableKind::PenColour: return f->penColours.get();
    case TableKind::Width: return f->widths.get();
    case TableKind::Colour: return f->colours.get();
    case TableKind::Font: return f->fonts.get();
    case TableKind::Tip: return f->tips.get();
    case TableKind::CharEx: return f->charEx.get();
    case TableKind::Layer: return f->layers.get();
    case TableKind::Index: return nullptr;
    }
    return nullptr;
}

FigureModel::Held* FigureModel::held(const void* handle, TableKind kind)
{
    const auto it = held_.find(handle);
    if (it == held_.end() || it->second.table->kind() != kind) return nullptr;
    return &it->second;
}

HostTable* FigureModel::table(const void* handle, TableKind kind)
{
    if (!handle) return nullptr;
    if (Held* h = held(handle, kind)) return h->table.get();
    if (const auto it = ended_.find(handle); it != ended_.end()) {
        ++usesAfterEnd_[it->second];
        qCDebug(lcHost) << "a" << it->second.c_str() << "handle was used after its end";
        return nullptr;
    }
    for (auto& [n, f] : figures_) {
        HostTable* t = committed(n, kind);
        if (t && t->handle() == handle) return t;
    }
    return nullptr;
}

void* FigureModel::hold(std::unique_ptr<HostTable> table, Role role, short figure)
{
    void* handle = table->handle();
    // A new table may take the place of one ended before.
    ended_.erase(handle);
    held_[handle] = Held{std::move(table), role, figure, ++serial_};
    return handle;
}

void FigureModel::end(const void* handle)
{
    const auto it = held_.find(handle);
    if (it == held_.end()) return;
    ended_[handle] = countName(it->second.table->kind(), it->second.role);
    held_.erase(it);
}

void FigureModel::handOutCommitted(const void* handle)
{
    ended_.erase(handle);
}

void FigureModel::refuse(const std::string& kind)
{
    qCDebug(lcHost) << "refused to end a" << kind.c_str() << "handle";
    ++badEnds_[kind];
}

std::string FigureModel::countName(TableKind kind, Role role)
{
    switch (role) {
    case Role::EditCopy: return std::string(tableKindName(kind)) + " edit copy";
    case Role::Opened: return std::string("opened ") + tableKindName(kind) + " table";
    case Role::Index: return "index table";
    }
    return "handle";
}

void* FigureModel::editCopy(short number, TableKind kind)
{
    Figure* f = figure(number);
    if (!f || kind == TableKind::Index || kind == TableKind::Layer) return nullptr;
    refreshInUse(*f);
    HostTable* t = committed(number, kind);
    return hold(t->cloneTable(), Role::EditCopy, number);
}

void* FigureModel::open(TableKind kind)
{
    std::unique_ptr<HostTable> t;
    switch (kind) {
    case TableKind::Pen: t = std::make_unique<PenTable>(); break;
    case TableKind::PenColour: t = std::make_unique<PenColourTable>(); break;
    case TableKind::Width: t = std::make_unique<WidthTable>(); break;
    case TableKind::Colour: t = std::make_unique<ColourTable>(); break;
    default: return nullptr;
    }
    return hold(std::move(t), Role::Opened, -1);
}

bool FigureModel::close(void* handle, TableKind kind)
{
    Held* h = held(handle, kind);
    if (!h || h->role == Role::Index) {
        refuse(countName(kind, Role::Opened));
        return false;
    }
    end(handle);
    return true;
}

void* FigureModel::makeIndex(int32_t count)
{
    if (count < 0 || count > IndexTable::kMaxEntries) return nullptr;
    return hold(std::make_unique<IndexTable>(count), Role::Index, -1);
}

void* FigureModel::addIndex(void* handle, int32_t position)
{
    IndexTable* t = index(handle);
    if (!t) return nullptr;
    std::unique_ptr<IndexTable> grown = t->withAdded(position);
    if (!grown) return nullptr;
    return hold(std::move(grown), Role::Index, -1);
}

bool FigureModel::freeIndex(void* handle)
{
    if (!held(handle, TableKind::Index)) {
        refuse("index table");
        return false;
    }
    end(handle);
    return true;
}

bool FigureModel::conversionMode(TableKind kind) const
{
    const int slot = conversionSlot(kind);
    return slot >= 0 && conversion_[static_cast<std::size_t>(slot)];
}

void FigureModel::setConversionMode(TableKind kind, bool on)
{
    const int slot = conversionSlot(kind);
    if (slot >= 0) conversion_[static_cast<std::size_t>(slot)] = on;
}

WidthTable* FigureModel::widthContext(const void* penHandle)
{
    short number = -1;
    if (Held* h = held(penHandle, TableKind::Pen)) number = h->figure;
    else if (pens(penHandle)) number = committedOwner(figures_, &Figure::pens, penHandle);
    Figure* f = figure(number);
    return f ? newestEditCopy(held_, number, TableKind::Width, f->widths.get()) : nullptr;
}

ColourTable* FigureModel::colourContext(const void* penExHandle)
{
    short number = -1;
    if (Held* h = held(penExHandle, TableKind::PenColour)) number = h->figure;
    else if (penColours(penExHandle)) number = committedOwner(figures_, &Figure::penColours, penExHandle);
    Figure* f = figure(number);
    return f ? newestEditCopy(held_, number, TableKind::Colour, f->colours.get()) : nullptr;
}

int32_t FigureModel::restore(short number, void* handle, int32_t discard, TableKind kind, void* indexHandle)
{
    Held* h = held(handle, kind);
    if (!h || h->role == Role::Index) {
        refuse(countName(kind, Role::EditCopy));
        return 0;
    }
    Figure* f = figure(number);
    if (!f || (discard != 0 && discard != 1)) return 0;
    if (discard == 1) {
        end(handle);
        return 1;
    }
    const IndexTable* idx = nullptr;
    if (indexHandle) {
        idx = index(indexHandle);
        if (!idx) return 0;
    }
    std::unique_ptr<HostTable> table = std::move(h->table);
    ended_[handle] = countName(kind, Role::EditCopy);
    held_.erase(handle);
    commit(*f, std::move(table), kind, idx);
    f->changed = true;
    return 1;
}

void FigureModel::commit(Figure& f, std::unique_ptr<HostTable> table, TableKind kind, const IndexTable* idx)
{
    const bool conversion = conversionMode(kind);
    auto take = [&table](auto* typed) {
        using T = std::remove_pointer_t<decltype(typed)>;
        return std::unique_ptr<T>(static_cast<T*>(table.release()));
    };
    auto forEachLive = [&f](auto&& fn) {
        for (int s = 0; s < ElementDatabase::kSpaces; ++s) {
            for (ElementDatabase::Record& r : f.elements.records(s)) {
                if (r[element::kState] == element::Live) fn(r.data());
            }
        }
    };

    switch (kind) {
    case TableKind::Pen: {
        std::unique_ptr<PenTable> after = take(static_cast<PenTable*>(nullptr));
        const std::vector<int32_t> map = commitMap(*f.pens, *after, idx, conversion);
        const int32_t fallback = after->count() > 0 ? 1 : 0;
        forEachLive([&](unsigned char* r) {
            r[element::kPen] = static_cast<unsigned char>(mapped(map, r[element::kPen], fallback));
            if (bytes::u16(r, element::kKind) == element::Hatch) remapHalf(r, element::kHatchAttrib, map, false, fallback);
        });
        remapAttributeFields(f, kind, map, fallback, false);
        // The centre-line pen is kept 0-based.
        f.centreLinePen = std::max(0, mapped(map, f.centreLinePen + 1, fallback) - 1);
        // Widths: by identity where known, else the number is the figure's.
        for (int32_t n = 1; n <= after->count(); ++n) {
            Pen* p = after->at(n);
            if (p->widthUid != 0) {
                // A width of an open width copy keeps its number until that
                // copy is committed or thrown away.
                const int32_t w = f.widths->findUid(p->widthUid);
                if (w > 0) p->width = w;
            } else if (const Width* e = f.widths->at(p->width)) p->widthUid = e->uid;
            else { p->width = 1; p->widthUid = f.widths->count() > 0 ? f.widths->at(1)->uid : 0; }
        }
        // The pen colour table: a new pen without an entry takes the colour
        // of the first old pen placed on it; entries of vanished pens go.
        std::vector<PenColourEntry> entries;
        for (int32_t n = 1; n <= after->count(); ++n) {
            const Pen* p = after->at(n);
            if (PenColourEntry* e = f.penColours->entryOf(p->uid)) {
                entries.push_back(*e);
                continue;
            }
            for (std::size_t j = 0; j < map.size(); ++j) {
                if (map[j] != n) continue;
                if (PenColourEntry* e = f.penColours->entryOf(f.pens->at(static_cast<int32_t>(j + 1))->uid)) {
                    PenColourEntry copy = *e;
                    copy.penUid = p->uid;
                    copy.name = p->name;
                    entries.push_back(copy);
                }
                break;
            }
        }
        f.penColours->setEntries(std::move(entries));
        f.pens = std::move(after);
        break;
    }
    case TableKind::Width: {
        std::unique_ptr<WidthTable> after = take(static_cast<WidthTable*>(nullptr));
        const std::vector<int32_t> map = commitMap(*f.widths, *after, idx, conversion);
        for (int32_t n = 1; n <= f.pens->count(); ++n) {
            Pen* p = f.pens->at(n);
            int32_t w = idx ? 0 : after->findUid(p->widthUid);
            if (w == 0) w = mapped(map, p->width, 1);
            if (!after->valid(w)) w = 1;
            p->width = w;
            p->widthUid = after->valid(w) ? after->at(w)->uid : 0;
        }
        f.widths = std::move(after);
        break;
    }
    case TableKind::Colour: {
        std::unique_ptr<ColourTable> after = take(static_cast<ColourTable*>(nullptr));
        const std::vector<int32_t> map = commitMap(*f.colours, *after, idx, conversion);
        forEachLive([&](unsigned char* r) {
            if (r[element::kColour] != 0) r[element::kColour] = static_cast<unsigned char>(mapped(map, r[element::kColour], 0));
            if (bytes::u16(r, element::kKind) == element::Hatch) remapHalf(r, element::kHatchAttrib, map, true, 0);
        });
        remapAttributeFields(f, kind, map, 0, true);
        for (int32_t& c : f.layers->colours()) {
            if (c > 0) c = mapped(map, c, 0);
        }
        for (PenColourEntry& e : f.penColours->entries()) {
            if (e.colour <= 0) continue;
            int32_t c = idx ? 0 : after->findUid(e.colourUid);
            if (c == 0) c = mapped(map, e.colour, 0);
            e.colour = after->valid(c) ? c : 0;
            e.colourUid = e.colour > 0 ? after->at(e.colour)->uid : 0;
        }
        f.colours = std::move(after);
        break;
    }
    case TableKind::PenColour: {
        std::unique_ptr<PenColourTable> after = take(static_cast<PenColourTable*>(nullptr));
        // Colours travel by identity: the copy may number them after an
        // edited colour table that is committed later, or earlier.
        for (PenColourEntry& e : after->entries()) {
            const int32_t c = f.colours->findUid(e.colourUid);
            if (c > 0) e.colour = c;
            else if (e.colour > 0 && f.colours->valid(e.colour)) e.colourUid = f.colours->at(e.colour)->uid;
            else e.colour = 0;
        }
        f.penColours = std::move(after);
        break;
    }
    case TableKind::Font: {
        std::unique_ptr<FontTable> after = take(static_cast<FontTable*>(nullptr));
        const std::vector<int32_t> map = commitMap(*f.fonts, *after, idx, false);
        const int32_t fallback = after->count() > 0 ? 1 : 0;
        forEachLive([&](unsigned char* r) {
            if (bytes::u16(r, element::kKind) == element::Text)
                bytes::setU16(r, element::kFont, static_cast<uint16_t>(mapped(map, bytes::u16(r, element::kFont), fallback)));
        });
        remapAttributeFields(f, kind, map, fallback, false);
        f.fonts = std::move(after);
        break;
    }
    case TableKind::Tip: {
        std::unique_ptr<TipTable> after = take(static_cast<TipTable*>(nullptr));
        const std::vector<int32_t> map = commitMap(*f.tips, *after, idx, false);
        forEachLive([&](unsigned char* r) {
            for (std::size_t off : {element::kStartTip, element::kEndTip}) {
                const uint16_t t = bytes::u16(r, off);
                if (t != 0) bytes::setU16(r, off, static_cast<uint16_t>(mapped(map, t, 0)));
            }
        });
        remapAttributeFields(f, kind, map, 0, true);
        f.tips = std::move(after);
        break;
    }
    case TableKind::CharEx:
        f.charEx = take(static_cast<CharExTable*>(nullptr));
        break;
    case TableKind::Layer:
    case TableKind::Index:
        break;
    }
}

std::vector<FigureModel::HandleCount> FigureModel::handleCounts() const
{
    std::map<std::string, HandleCount> counts;
    for (const auto& [handle, h] : held_) {
        const std::string name = countName(h.table->kind(), h.role);
        counts[name].kind = name;
        ++counts[name].open;
    }
    for (const auto& [name, bad] : badEnds_) {
        counts[name].kind = name;
        counts[name].badEnds += bad;
    }
    for (const auto& [name, uses] : usesAfterEnd_) {
        counts[name].kind = name;
        counts[name].usesAfterEnd += uses;
    }
    for (const auto& [n, ref] : reference_) {
        if (!ref) continue;
        counts["reference figure"].kind = "reference figure";
        ++counts["reference figure"].open;
    }
    if (badFigureCloses_ > 0) {
        counts["reference figure"].kind = "reference figure";
        counts["reference figure"].badEnds += badFigureCloses_;
    }
    std::vector<HandleCount> out;
    for (auto& [name, c] : counts) out.push_back(c);
    return out;
}

int FigureModel::liveHandles() const
{
    int n = static_cast<int>(held_.size());
    for (const auto& [number, ref] : reference_) n += ref ? 1 : 0;
    return n;
}

}  // namespace mobrhost
