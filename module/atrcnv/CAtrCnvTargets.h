#pragma once

// CAtrCnvTargets: the data of one attribute conversion, without any UI. It
// owns the edit copies of the current figure's pen, width, colour and
// pen-colour tables, the opened reference figure with its four copies, and
// the three target lists (item i-1 is the target of current entry i; the
// width and colour lists may hold extra items that pen targets use). It loads
// the reference figure, resolves definition file entries by name, keeps the
// target lists consistent, answers the changed tests and saves a definition.
//
// The conversion sheet holds one of these; `mobr convert` (through the
// module's batch entry point) uses the same object without a sheet.
//
// Destruction hands back (discarding) every copy still held, in the order
// colours (current, then reference), widths, pens, pen-colour tables, then
// closes the reference figure.

#include <string>
#include <vector>

#include "atrcnv/AtrCnvTypes.h"

class CAtrCnvTargets {
public:
    enum class Figure { Current, Reference };
    enum class Table { Pen, Width, Colour, PenColour };
    // Propagation modes: 1 by a source (current) width or colour name, 0 by a
    // target name.
    enum PropagateMode { ByTargetName = 0, BySourceName = 1 };
    // Results of loadReference.
    enum LoadResult { kLoadRecordMissing = -1, kLoadFailed = 0, kLoaded = 1 };

    explicit CAtrCnvTargets(atrcnv::Listener& listener);
    ~CAtrCnvTargets();
    CAtrCnvTargets(const CAtrCnvTargets&) = delete;
    CAtrCnvTargets& operator=(const CAtrCnvTargets&) = delete;

    atrcnv::Listener& listener() const { return listener_; }

    // Reads the current figure number (16 bits, as the host gives it) and
    // takes edit copies of its pen, pen-colour, width and colour tables, in
    // that order. The figure number, or -1 when a copy could not be taken
    // (the copies taken are handed back then).
    int prepare();
    short currentFigure() const { return currentFigure_; }
    // -1 while no reference figure is open.
    short referenceFigure() const { return referenceFigure_; }
    bool referenceLoaded() const { return referenceFigure_ >= 0; }
    const std::string& referencePath() const { return referencePath_; }

    // Opens `path` (host path) as the reference figure and takes its four
    // copies, then fills every target list with the current figure's own
    // entries (each entry targets itself). Only when all of that succeeded is
    // the previous reference handed back and closed; on any failure the new
    // figure is handed back and closed and the previous state stays whole:
    // kLoadFailed when the file did not open or its tables could not be
    // copied, kLoadRecordMissing when a current record could not be read.
    // On success every listener list is told to rebuild.
    int loadReference(const std::string& path);

    // The handle of one table copy (null when not held).
    void* table(Figure figure, Table table) const;
    // Gives up ownership of a current copy (the application consumes it);
    // the handle is null afterwards.
    void* takeCurrent(Table table);

    // ---- Target lists -------------------------------------------------------

    const std::vector<atrcnv::PenTargetItem>& penTargets() const { return penTargets_; }
    const std::vector<atrcnv::WidthRecord>& widthTargets() const { return widthTargets_; }
    const std::vector<atrcnv::ColourRecord>& colourTargets() const { return colourTargets_; }
    // Whether the lists exist (a reference was loaded at least once).
    bool hasTargets() const { return hasTargets_; }

    // Sets one item (ignored when `index` is outside the list).
    void setPenTarget(int index, const atrcnv::PenTargetItem& item);
    void setWidthTarget(int index, const atrcnv::WidthRecord& record);
    void setColourTarget(int index, const atrcnv::ColourRecord& record);

    // Every item, extra items included, whose name equals the record's name
    // (case ignored) becomes the record. 1 when at least one item had it.
    int replaceWidthTargetsByName(const atrcnv::WidthRecord& record);
    int replaceColourTargetsByName(const atrcnv::ColourRecord& record);
    int replacePenTargetsByName(const atrcnv::PenTargetItem& item);

    // Appends an extra target after compacting the list: refused (0) when the
    // distinct names of the list would then exceed 255 or the current table
    // already holds 255 entries; with `warn`, a refusal shows warning 7290
    // (widths) or 7291 (colours). 1 when appended.
    int appendWidthTarget(const atrcnv::WidthRecord& record, bool warn);
    int appendColourTarget(const atrcnv::ColourRecord& record, bool warn);

    // Mode 1: every pen target whose current pen uses the width (colour)
    // named `name` takes `record`, and so does every other pen target with
    // the same target pen name. Mode 0: every pen target whose width (colour)
    // is named `name` takes `record`.
    void propagateWidthToPens(const std::string& name, const atrcnv::WidthRecord& record, int mode);
    void propagateColourToPens(const std::string& name, const atrcnv::ColourRecord& record, int mode);

    // Removes extra items that repeat a first-part name or that neither the
    // current table nor any pen target uses. 1, or 0 when the current count
    // cannot be read.
    int compactWidthList();
    int compactColourList();

    // 1 when the current figure's table holds 255 or more entries.
    int widthTableFull() const;
    int colourTableFull() const;
    int penTableFull() const;

    // ---- Definition files ---------------------------------------------------

    // Resolve the entries of a definition file by name against the current
    // and the reference tables and set the targets; entries that do not
    // resolve are skipped and listed with their reason. Pen entries are
    // applied whole or not at all (every lookup first, then the changes);
    // warnings 7290/7291 come at most once per call.
    atrcnv::ApplyReport applyWidthEntries(const std::string& definitionPath);
    atrcnv::ApplyReport applyColourEntries(const std::string& definitionPath);
    atrcnv::ApplyReport applyPenEntries(const std::string& definitionPath);

    // ---- Changed tests and saving ----------------------------------------------

    // Whether the targets of a kind differ from the current table (the width
    // and colour tests also count extra items).
    bool colourChanged() const;
    bool widthChanged() const;
    bool penChanged() const;

    // Compacts the width and colour lists and, when any kind changed, writes
    // the whole definition to `path` with "RefFile" = referencePath(). 1
    // written, 0 nothing changed (no file is created or touched). Names left
    // out because they would not read back are added to `unwritable` when
    // given.
    int saveConversion(const std::string& path,
                       std::vector<atrcnv::UnwritableName>* unwritable = nullptr);

private:
    struct Copies {
        void* pens = nullptr;
        void* widths = nullptr;
        void* colours = nullptr;
        void* penColours = nullptr;
    };
    struct Lists {
        std::vector<atrcnv::PenTargetItem> pens;
        std::vector<atrcnv::WidthRecord> widths;
        std::vector<atrcnv::ColourRecord> colours;
    };
    static bool takeCopies(short figure, Copies& copies);
    static void handBack(short figure, Copies& copies);
    bool fillLists(Lists& lists) const;
    void releaseReference();
    void* handle(Figure figure, Table table) const;

    atrcnv::Listener& listener_;
    short currentFigure_ = -1;
    short referenceFigure_ = -1;
    std::string referencePath_;
    Copies current_;
    Copies reference_;
    bool hasTargets_ = false;
    std::vector<atrcnv::PenTargetItem> penTargets_;
    std::vector<atrcnv::WidthRecord> widthTargets_;
    std::vector<atrcnv::ColourRecord> colourTargets_;
};
