#include "ViewListener.h"

void ViewListener::redraw(int figure)
{
    if (onRedraw) onRedraw(figure);
}

void ViewListener::attributeDisplay(const std::string&, int)
{
    if (onRedraw) onRedraw(-1);
}

void ViewListener::systemColoursChanged()
{
    if (onRedraw) onRedraw(-1);
}

void ViewListener::showHelp(int topic)
{
    if (onHelp) onHelp(topic);
}

void ViewListener::showWarning(int id, const std::string& text)
{
    if (onWarning) onWarning(id, text);
}

void ViewListener::showMessage(const std::string& text)
{
    if (onMessage) onMessage(text);
}
