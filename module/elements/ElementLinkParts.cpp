#include "elements/ElementLinkParts.h"

#include <utility>

#include "mobrcctl/ZqFieldBinder.h"

CElementLinkParts::CElementLinkParts(TableItems tableItems, ColourLink colourLink)
    : tableItems_(tableItems), colourLink_(colourLink)
{
}

CElementLinkParts::~CElementLinkParts() = default;

bool CElementLinkParts::takeTable(int item, std::intptr_t value)
{
    if (item == 0) return false;
    void* table = reinterpret_cast<void*>(value);
    const std::pair<int, void**> handles[] = {{tableItems_.pens, &pens_},
                                              {tableItems_.colours, &colours_},
                                              {tableItems_.tips, &tips_},
                                              {tableItems_.fonts, &fonts_},
                                              {tableItems_.penEx, &penEx_}};
    for (const auto& [tableItem, slot] : handles) {
        if (tableItem == item) {
            *slot = table;
            return true;
        }
    }
    return false;
}

elemlists::ColourFollowsPen CElementLinkParts::colourFollowsPen() const
{
    return {colourLink_.penList,  colourLink_.colourList, colourLink_.colourItem, colourLink_.flagItem,
            colourLink_.layerItem, colours_,               penEx_,                  pens_};
}

void CElementLinkParts::addPenChoice(int item, int control)
{
    choices_.add(item, control, [this](const std::string& n) { return elemlists::penNumber(pens_, n); });
}

void CElementLinkParts::addColourChoice(int item, int control)
{
    choices_.add(item, control, [this](const std::string& n) { return elemlists::colourNumber(colours_, n); });
}

void CElementLinkParts::addFontChoice(int item, int control)
{
    choices_.add(item, control, [this](const std::string& n) { return elemlists::fontNumber(fonts_, n); });
}

void CElementLinkParts::addTipChoice(int item, int control)
{
    choices_.add(item, control, [this](const std::string& n) { return elemlists::tipNumber(tips_, n); });
}
