#pragma once

#include <cstdint>
#include <memory>

#include "elements/ElementLists.h"

class CZqFieldBinder;

// What the element settings' pages and dialogs share beside their dialog
// base: the host tables they are handed through SetPageData by item id, the
// numbers chosen by name in their lists, their field binder, and the colour
// list that follows their pen list.
class CElementLinkParts {
protected:
    // The item ids under which the tables are handed in (0: not taken).
    struct TableItems {
        int pens = 0;
        int colours = 0;
        int tips = 0;
        int fonts = 0;
        int penEx = 0;
    };
    // The pen list, the colour list that follows it, the chosen colour's item
    // and the layer-colour flag and colour items.
    struct ColourLink {
        int penList;
        int colourList;
        int colourItem;
        int flagItem;
        int layerItem;
    };

    CElementLinkParts(TableItems tableItems, ColourLink colourLink);
    ~CElementLinkParts();
    CElementLinkParts(const CElementLinkParts&) = delete;
    CElementLinkParts& operator=(const CElementLinkParts&) = delete;

    // Keeps a table handed in under one of its item ids; false for any other item.
    bool takeTable(int item, std::intptr_t value);
    elemlists::ColourFollowsPen colourFollowsPen() const;

    // A list of `control` whose chosen name goes back as the number of item
    // `item` in the pen, colour, font or tip table.
    void addPenChoice(int item, int control);
    void addColourChoice(int item, int control);
    void addFontChoice(int item, int control);
    void addTipChoice(int item, int control);

    void* pens_ = nullptr;
    void* colours_ = nullptr;
    void* tips_ = nullptr;
    void* fonts_ = nullptr;
    void* penEx_ = nullptr;
    elemlists::NamedChoices choices_;
    std::unique_ptr<CZqFieldBinder> binder_;

private:
    const TableItems tableItems_;
    const ColourLink colourLink_;
};
