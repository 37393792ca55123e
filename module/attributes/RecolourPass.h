#pragma once

// The recolour pass of the system attribute sheet: after the pen colours of a
// figure changed, every existing element takes the colour that its pen now
// has in the figure's pen colour table.
//
// Elements that keep their colour: those with flag 0x4000, those owned
// (directly or further up the chain of owners) by a group with any of the
// bits 0x3E in its group flags, and every kind other than lines, arcs,
// circles and texts. Hatch parents are recoloured through their hatch
// attribute word. A pen without a colour (0) never overwrites a colour, and
// an element whose colour is already right is not written.
//
// The pass stops at the first element read that fails with anything other
// than a deleted, empty or purged slot; a stopped pass does not ask the host
// to redisplay the attributes.

#include <cstdint>

class CRecolourPass {
public:
    explicit CRecolourPass(short figure);

    // Runs the pass under the wait cursor. True when it went through every
    // element of both spaces, false when it stopped.
    bool run();

    // Element records and hatch attribute words written by the last run.
    int32_t written() const { return written_; }

private:
    enum class Step { Next, Stop };
    enum class Owners { Recolour, Keep, Stop };

    bool recolourFigure();
    Step recolourElement(int32_t id);
    void recolourHatch(int32_t id);
    Owners ownersOf(int32_t id, const unsigned char* record) const;
    int32_t penColour(int32_t pen) const;

    short figure_;
    void* pens_ = nullptr;
    void* penColours_ = nullptr;
    int32_t written_ = 0;
};
