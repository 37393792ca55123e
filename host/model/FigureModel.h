#pragma once

// The figures of the host and everything handed out for them: the open
// figures by number and the current one, edit copies and tables made by the
// named functions, index tables, the rename lists and the conversion modes.
// Handles are ended exactly once: ending an unknown handle is refused and
// counted, never a crash; what is still open can be listed at any time. A
// call that names a handle after its end is refused and counted too: a host
// that frees what is ended would crash there.

#include "mobr/export.h"
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/Figure.h"
#include "model/IndexTable.h"
#include "model/RenameLists.h"

namespace mobrhost {

class MOBR_API FigureModel {
public:
    static constexpr int kMaxFigures = 16;

    enum class Role { EditCopy, Opened, Index };

    // Per kind of handle: how many are open and how many ends were refused.
    struct HandleCount {
        std::string kind;
        int open = 0;
        int badEnds = 0;
        int usesAfterEnd = 0;  // calls that named a handle of this kind after its end
    };

    static FigureModel& instance();

    // One default figure, number 0, current; nothing handed out.
    void reset();

    Figure* figure(short number);
    short current() const { return current_; }
    bool setCurrent(short number);
    // Adds a figure under the lowest free number; -1 when 16 are open. A
    // reference figure counts as a handle until it is closed.
    short addFigure(std::unique_ptr<Figure> figure, bool reference);
    // Closes a reference figure; false (and counted) for any other number.
    bool closeFigure(short number);
    std::vector<short> figureNumbers() const;
    // Replaces figure `number` (loading a file into it); false when absent.
    bool replaceFigure(short number, std::unique_ptr<Figure> figure);
    // Puts `figure` in place of figure `number` and hands back the one it
    // replaces (null, and `figure` dropped, when there is no such figure).
    std::unique_ptr<Figure> exchangeFigure(short number, std::unique_ptr<Figure> figure);

    // The committed table of a figure (in-use bits brought up to date).
    HostTable* committed(short figure, TableKind kind);
    // Any table handle of that kind: committed, edit copy or opened table.
    // Null (and counted) for a copy, opened table or index table that was
    // ended, even when its table lives on as the figure's committed table.
    HostTable* table(const void* handle, TableKind kind);
    // A committed table's handle handed out: naming it is a use, not a use
    // after an end.
    void handOutCommitted(const void* handle);
    PenTable* pens(const void* h) { return static_cast<PenTable*>(table(h, TableKind::Pen)); }
    PenColourTable* penColours(const void* h) { return static_cast<PenColourTable*>(table(h, TableKind::PenColour)); }
    WidthTable* widths(const void* h) { return static_cast<WidthTable*>(table(h, TableKind::Width)); }
    ColourTable* colours(const void* h) { return static_cast<ColourTable*>(table(h, TableKind::Colour)); }
    FontTable* fonts(const void* h) { return static_cast<FontTable*>(table(h, TableKind::Font)); }
    TipTable* tips(const void* h) { return static_cast<TipTable*>(table(h, TableKind::Tip)); }
    CharExTable* charEx(const void* h) { return static_cast<CharExTable*>(table(h, TableKind::CharEx)); }
    LayerTable* layers(const void* h) { return static_cast<LayerTable*>(table(h, TableKind::Layer)); }
    IndexTable* index(const void* h) { return static_cast<IndexTable*>(table(h, TableKind::Index)); }

    // A deep copy of one table of a figure; null when there is no figure.
    void* editCopy(short figure, TableKind kind);
    // Ends a copy or an opened table of that kind: discard 0 makes it the
    // figure's table (renumbering every reference, through `index` when one
    // is given), 1 throws it away. 1 when ended, 0 when refused (unknown
    // handle, wrong kind, no such figure, unusable index table).
    int32_t restore(short figure, void* handle, int32_t discard, TableKind kind, void* index);
    // A new empty table of that kind, and its end.
    void* open(TableKind kind);
    bool close(void* handle, TableKind kind);

    void* makeIndex(int32_t count);
    void* addIndex(void* handle, int32_t position);
    bool freeIndex(void* handle);

    bool conversionMode(TableKind kind) const;
    void setConversionMode(TableKind kind, bool on);

    RenameLists& renames() { return renames_; }

    // The width table whose numbers a pen table's widths are (the figure's
    // open width copy when there is one, else its committed widths), and the
    // colour table for a pen colour table's colours. Null for a table that
    // belongs to no figure.
    WidthTable* widthContext(const void* penHandle);
    ColourTable* colourContext(const void* penExHandle);

    // Recomputes the in-use bits of a figure's committed tables from its
    // elements and pens.
    void refreshInUse(Figure& figure);
    // Colours in use by the pen colour table or by elements get bit 0x1.
    static void markColoursUsed(ColourTable& colours, const PenColourTable& penColours);

    // The last figure file problem (file and problem), for the application.
    const std::string& lastError() const { return lastError_; }
    void setLastError(std::string message) { lastError_ = std::move(message); }

    std::vector<HandleCount> handleCounts() const;
    int liveHandles() const;

private:
    struct Held {
        std::unique_ptr<HostTable> table;
        Role role = Role::EditCopy;
        short figure = -1;
        uint64_t serial = 0;
    };

    FigureModel();
    void* hold(std::unique_ptr<HostTable> table, Role role, short figure);
    Held* held(const void* handle, TableKind kind);
    void refuse(const std::string& kind);
    // Erases a held handle and remembers it as ended.
    void end(const void* handle);
    void commit(Figure& f, std::unique_ptr<HostTable> table, TableKind kind, const IndexTable* index);
    static std::string countName(TableKind kind, Role role);

    std::map<short, std::unique_ptr<Figure>> figures_;
    std::map<short, bool> reference_;
    short current_ = 0;
    std::unordered_map<const void*, Held> held_;
    std::map<std::string, int> badEnds_;
    std::unordered_map<const void*, std::string> ended_;  // handle -> its kind's count name
    std::map<std::string, int> usesAfterEnd_;
    int badFigureCloses_ = 0;
    uint64_t serial_ = 0;
    std::array<bool, 3> conversion_{};
    RenameLists renames_;
    std::string lastError_;
};

}  // namespace mobrhost
