#include "elements/CSysElem4.h"

#include "frame/HostApi.h"

CSysElem4::CSysElem4() : CZqPropertyPage("IDD_PROPS_013")
{
    for (int k = 0; k < kColours; ++k) {
        choices_.add(kItemFirstColour + k, kFirstList + k,
                     [this](const std::string& n) { return elemlists::colourNumber(colours_, n); });
    }
}

CSysElem4::~CSysElem4() = default;

int CSysElem4::SetPageData(int item, std::intptr_t value)
{
    if (item != kItemColourTable) return 0;
    colours_ = reinterpret_cast<void*>(value);
    return 1;
}

int CSysElem4::SetPageInt(int item, int value)
{
    return choices_.set(item, value) ? 1 : 0;
}

int CSysElem4::GetPageInt(int item, int* value)
{
    return value && choices_.get(item, value) ? 1 : 0;
}

bool CSysElem4::OnInitDialog()
{
    const std::vector<std::string> names = elemlists::colourNames(colours_);
    for (int k = 0; k < kColours; ++k) {
        elemlists::fillNames(*this, kFirstList + k, names,
                             elemlists::colourName(colours_, choices_.value(kItemFirstColour + k)));
    }
    return true;
}

void CSysElem4::OnSelChange(int id)
{
    choices_.picked(id);
}

void CSysElem4::OnOK()
{
    if (IsCreated()) choices_.resolve(*this);
}

void CSysElem4::OnHelp()
{
    hostapi::aapRunDlgHelp(kHelpTopic);
}
